// The working tape's check before its focus series is copied to the side tape: seven checks
// in a fixed order, each with its reason.
#include <vector>

#include "engine/tape/calculator.h"
#include "engine/tape_fill.h"
#include "tapes/side_calculator.h"

#include <gtest/gtest.h>

namespace tally {
namespace {

using test::TapeRow;

struct CopyCase {
    std::string name;
    std::vector<TapeRow> rows;
    LineIndex focus;
    std::string reason;  // empty: the series may be copied
};

const std::string kEmbeddedBoundary =
    "Move the focus highlight off of an embedded series' boundary line before copying its container series to "
    "the side tape.";
const std::string kMustEnd =
    "A calculation series must end with either a total line or a zero total line before the series can be "
    "copied to the side tape.";
const std::string kMustBeValid =
    "A calculation series must have all valid entry values before the series can be copied to the side tape.";

// +5, an embedded series (2 + 1 = 3) whose total is added, and the container's total.
std::vector<TapeRow> EmbeddedTape(std::string containerEntry, bool closed) {
    std::vector<TapeRow> rows = {
        {" ", containerEntry},     {"(", "", "STYP=e"},      {" ", "+2.00", "STYP=e"}, {" ", "+1.00", "STYP=e"},
        {"=", "==========", "STYP=e"}, {"T", "3.00", "STYP=e"}, {")", "", "STYP=e"},  {" ", "+3.00"},
    };
    if (closed) {
        rows.insert(rows.end(), {{"=", "=========="}, {"T", "8.00"}, {"Z", "0.00"}});
    }
    rows.push_back({" ", ""});
    return rows;
}

const std::vector<CopyCase>& CopyCases() {
    static const std::vector<CopyCase> cases = {
        // A group total line is refused as such before its boundary or its entries are looked at.
        {"GroupTotal",
         {{" ", "+5.00"}, {"=", "=========="}, {"T", "5.00"}, {"Z", "0.00"}, {"[", "", "STYP=gro"},
          {"g", "5.00", "STYP=gro"}, {"]", "", "STYP=gro"}, {" ", ""}},
         4, "Group totals cannot be copied to the side tape."},
        {"GrandTotal",
         {{" ", "+5.00"}, {"=", "=========="}, {"T", "5.00"}, {"Z", "0.00"}, {"{", "", "STYP=gra"},
          {"G", "5.00", "STYP=gra"}, {"}", "", "STYP=gra"}, {" ", ""}},
         5, "Grand totals cannot be copied to the side tape."},
        {"EmbeddedOpeningLine", EmbeddedTape("+abc", false), 1, kEmbeddedBoundary},
        {"EmbeddedClosingLine", EmbeddedTape("+abc", false), 6, kEmbeddedBoundary},
        {"OtherBoundaryLine", {{"<", ""}, {" ", "+abc"}, {" ", ""}}, 0,
         "Move the focus highlight off of a series' boundary line before copying the series to the side tape."},
        {"OpenSeriesWithoutTotal", {{" ", "+abc"}, {" ", "+3.00"}, {" ", ""}}, 1, kMustEnd},
        {"LastLineHoldsAnEntryAfterTheTotal", {{" ", "+5.00"}, {"=", "=========="}, {"T", "5.00"}, {" ", "+2"}}, 0,
         kMustEnd},
        {"InvalidEntry", {{" ", "+5.00"}, {" ", "+abc"}, {"=", "=========="}, {"T", "5.00"}, {"Z", "0.00"}, {" ", ""}},
         0, kMustBeValid},
        {"IncompleteEmbeddedSeries",
         {{" ", "+abc"}, {"(", "", "STYP=e"}, {" ", "+2.00", "STYP=e"}, {" ", "", "STYP=e"}, {")", "", "STYP=e"},
          {" ", "+"}},
         2, kMustEnd},
        {"EmbeddedInAnOpenContainer", EmbeddedTape("+5.00", false), 2,
         "An embedded series' container series must end with either a total line or a zero total line before "
         "the container series can be copied to the side tape."},
        {"EmbeddedInAContainerWithAnInvalidEntry", EmbeddedTape("+abc", true), 2,
         "An embedded series' container series  must have all valid entry values before the container series can "
         "be copied to the side tape."},
        {"EmbeddedInACompleteContainer", EmbeddedTape("+5.00", true), 3, ""},
        {"SeriesClosedByAZeroTotal", {{" ", "+5.00"}, {"=", "=========="}, {"T", "5.00"}, {"Z", "0.00"}, {" ", "+7"}},
         0, ""},
        {"OpenSeriesEndingInATotal", {{" ", "+5.00"}, {"=", "=========="}, {"T", "5.00"}, {" ", ""}}, 2, ""},
        {"ExternalTotalLineOfACompleteContainer", EmbeddedTape("+5.00", true), 7, ""},
    };
    return cases;
}

class SideCopyCheck : public ::testing::TestWithParam<CopyCase> {};

TEST_P(SideCopyCheck, GivesTheFirstFailingReason) {
    const CopyCase& c = GetParam();
    TCalculator tape;
    test::ReplaceTapeLines(tape, c.rows, c.focus);
    std::string reason = "stale";
    EXPECT_EQ(CanCopySeriesToSide(tape, reason), c.reason.empty());
    EXPECT_EQ(reason, c.reason);
}

INSTANTIATE_TEST_SUITE_P(Side, SideCopyCheck, ::testing::ValuesIn(CopyCases()),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace tally
