#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "engine/lines/series_navigation.h"
#include "lines_test_tape.h"

namespace tally {
namespace {

constexpr LineIndex N = kNoLine;

// A standard series holding an embedded series, a group total range, a series closed by a
// "z" line and the open last series.
class SeriesTape : public testing::Test {
protected:
    SeriesTape() {
        test::FillTape(lines,
                       {
                           {" ", "+10.00", ""},           // 0
                           {"(", "", "STYP=e"},           // 1
                           {" ", "+3", "STYP=e"},         // 2
                           {" ", "+4", "STYP=e"},         // 3
                           {"=", "==========", "STYP=e"}, // 4
                           {"T", "7.00", "STYP=e"},       // 5
                           {")", "", "STYP=e,TT=T2,SDP=1"},// 6
                           {" ", "X7.00", ""},            // 7: external total line
                           {"=", "==========", ""},       // 8
                           {"T(3)", "70.00", ""},         // 9
                           {"Z", "0.000", ""},            // 10: no SDP, three decimals shown
                           {"[", "", "STYP=gro"},         // 11
                           {"g", "70.00", "STYP=gro"},    // 12
                           {"]", "", "STYP=gro,TT=T3,SDP=4,TSD=SL,TSDS=V"}, // 13
                           {" ", "+1", ""},               // 14
                           {"z", "0.00000", "SDP=99"},    // 15: invalid SDP
                           {" ", "+2", ""},               // 16
                           {"", "", ""},                  // 17: the open last line
                       });
    }
    TLineStore lines;
};

struct NavigationCase {
    LineIndex line;
    LineIndex first, last, firstNormal, lastNormal, previousNormal, nextNormal;
    LineIndex leading, trailing;
};

TEST_F(SeriesTape, DelimitsSeriesAndNormalLinesAroundEveryLineKind) {
    const NavigationCase cases[] = {
        // line first last fNorm lNorm prev next  (   )
        {0, 0, 10, 0, 10, N, 7, N, N},     // first entry: the embedded series is stepped over
        {1, 0, 10, 0, 10, 0, 7, 1, 6},     // "(" belongs to the containing series
        {2, 2, 5, 2, 5, N, 3, 1, 6},       // inside: the series is the embedded one
        {3, 2, 5, 2, 5, 2, 4, 1, 6},
        {5, 2, 5, 2, 5, 4, N, 1, 6},       // its total: next stops at ")"
        {6, 0, 10, 0, 10, 0, 7, 1, 6},     // ")" belongs to the containing series
        {7, 0, 10, 0, 10, 0, 8, N, N},     // external total line
        {9, 0, 10, 0, 10, 8, 10, N, N},    // next normal line is the zero total line
        {10, 0, 10, 0, 10, 9, N, N, N},    // the series ends here
        {11, 11, 13, 12, 12, N, 12, N, N}, // a range is a series of its own
        {12, 11, 13, 12, 12, N, N, N, N},
        {13, 11, 13, 12, 12, 12, N, N, N},
        {14, 14, 15, 14, 15, N, 15, N, N}, // "z" ends a series like "Z"
        {15, 14, 15, 14, 15, 14, N, N, N},
        {16, 16, 17, 16, 17, N, 17, N, N}, // open last series
        {17, 16, 17, 16, 17, 16, N, N, N},
        {18, N, N, N, N, N, N, N, N},      // outside the table
        {-1, N, N, N, N, N, N, N, N},
    };
    for (const NavigationCase& c : cases) {
        SCOPED_TRACE("line " + std::to_string(c.line));
        EXPECT_EQ(SeriesFirstLine(lines, c.line), c.first);
        EXPECT_EQ(SeriesLastLine(lines, c.line), c.last);
        EXPECT_EQ(FirstNormalLine(lines, c.line), c.firstNormal);
        EXPECT_EQ(LastNormalLine(lines, c.line), c.lastNormal);
        EXPECT_EQ(PreviousNormalLine(lines, c.line), c.previousNormal);
        EXPECT_EQ(NextNormalLine(lines, c.line), c.nextNormal);
        EXPECT_EQ(EmbeddedLeadingBoundary(lines, c.line), c.leading);
        EXPECT_EQ(EmbeddedTrailingBoundary(lines, c.line), c.trailing);
        EXPECT_EQ(IsInsideEmbeddedSeries(lines, c.line), c.line >= 2 && c.line <= 5);
    }
}

struct SeriesValuesCase {
    LineIndex line;
    LineIndex ending;
    std::optional<std::string> totalType;
    std::optional<int> decimalPlaces;
};

TEST_F(SeriesTape, ReadsTotalTypeAndDecimalPlacesThroughTheEndingLine) {
    const SeriesValuesCase cases[] = {
        {0, 10, "DE", 3},   // zero total without SDP: three digits after the separator
        {7, 10, "DE", 3},   // external total line: the containing series
        {3, 6, "T2", 1},    // embedded series: its ")" line
        {1, 6, "T2", 1},    // boundaries read the embedded series too
        {12, 13, "T3", 4},  // range
        {14, 15, "DE", 5},  // invalid SDP on a zero total: digits of its Entries
        {16, N, std::nullopt, std::nullopt},  // open series: the tape's own values apply
        {40, N, std::nullopt, std::nullopt},
    };
    for (const SeriesValuesCase& c : cases) {
        SCOPED_TRACE("line " + std::to_string(c.line));
        EXPECT_EQ(SeriesEndingLine(lines, c.line), c.ending);
        EXPECT_EQ(SeriesTotalType(lines, c.line), c.totalType);
        EXPECT_EQ(SeriesDecimalPlaces(lines, c.line, '.'), c.decimalPlaces);
    }
}

TEST(SeriesDecimalPlaces, FallsBackByKindOfEndingLineAndSeparator) {
    TLineStore lines;
    test::FillTape(lines, {
                              {" ", "+1,5", ""},
                              {"Z", "0,0000", ""},    // ',' as decimal separator: 4
                              {" ", "+1", ""},
                              {"Z", "0", "SDP=x"},    // no separator: 0
                              {"(", "", "STYP=e"},
                              {" ", "+1", "STYP=e"},
                              {")", "", "STYP=e"},    // no SDP and no zero total: default 2
                              {" ", "+1", ""},
                              {"", "", ""},
                          });
    EXPECT_EQ(SeriesDecimalPlaces(lines, 0, ','), 4);
    EXPECT_EQ(SeriesDecimalPlaces(lines, 2, ','), 0);
    EXPECT_EQ(SeriesDecimalPlaces(lines, 5, ','), kDefaultSeriesDecimalPlaces);
    EXPECT_EQ(SeriesTotalType(lines, 5), "DE");
}

TEST(SeriesDelimitation, RangeEndsThePrecedingSeriesEvenWithoutZeroTotal) {
    TLineStore lines;
    test::FillTape(lines, {
                              {" ", "+1", ""},
                              {"{", "", "STYP=gra"},
                              {"G", "1.00", "STYP=gra"},
                              {"}", "", "STYP=gra"},
                              {"", "", ""},
                          });
    EXPECT_EQ(SeriesLastLine(lines, 0), 0);
    EXPECT_EQ(NextNormalLine(lines, 0), N);
    EXPECT_EQ(SeriesEndingLine(lines, 0), N);
    EXPECT_EQ(SeriesFirstLine(lines, 2), 1);
    EXPECT_EQ(PreviousNormalLine(lines, 4), N);
}

TEST(SeriesDelimitation, EmbeddedSeriesWithoutClosingBoundaryStaysBounded) {
    TLineStore lines;
    test::FillTape(lines, {
                              {" ", "+1", ""},
                              {"(", "", "STYP=e"},
                              {" ", "+2", "STYP=e"},
                              {"Z", "0.00", ""},
                              {"", "", ""},
                          });
    EXPECT_EQ(SeriesLastLine(lines, 2), 2);
    EXPECT_EQ(EmbeddedTrailingBoundary(lines, 2), N);
    EXPECT_EQ(LastNormalLine(lines, 0), 3);
    EXPECT_EQ(NextNormalLine(lines, 0), N);
    EXPECT_EQ(SeriesEndingLine(lines, 2), N);
}

TEST_F(SeriesTape, FindsLinesByKindInBothDirectionsFromTheStartLine) {
    EXPECT_EQ(NextLineOfKind(lines, 0, 'Z'), 10);
    EXPECT_EQ(NextLineOfKind(lines, 10, 'Z'), 10);
    EXPECT_EQ(NextLineOfKind(lines, 11, 'Z'), N);
    EXPECT_EQ(PreviousLineOfKind(lines, 17, 'T'), 9);  // "T(3)" is a "T" line
    EXPECT_EQ(PreviousLineOfKind(lines, 8, 'T'), 5);
    EXPECT_EQ(PreviousLineOfKind(lines, 99, 'z'), 15);
    EXPECT_EQ(NextLineOfKind(lines, 17, ' '), 17);     // an empty Indicator is a blank
    EXPECT_EQ(NextLineOfKind(lines, -5, '('), 1);
    EXPECT_EQ(PreviousLineOfKind(lines, 0, ')'), N);
}

TEST_F(SeriesTape, TellsStandardZeroTotalsFromOtherClosingLines) {
    lines.SetProperty(15, "STYP", "x");
    for (LineIndex line = 0; line <= 18; ++line) {
        SCOPED_TRACE("line " + std::to_string(line));
        EXPECT_EQ(IsStandardZeroTotalLine(lines, line), line == 10);
        EXPECT_EQ(ClosesStandardSeriesOrRange(lines, line), line == 10 || line == 13 || line == 15);
    }
    lines.SetProperty(10, "STYP", "e");
    EXPECT_FALSE(IsStandardZeroTotalLine(lines, 10));
}

}  // namespace
}  // namespace tally
