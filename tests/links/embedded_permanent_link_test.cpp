// The external total line of a complete embedded series as the permanent link destination of
// the series' total line, with a link manager serving the tape.
#include <functional>

#include "link_test_fixture.h"

namespace tally::test {
namespace {

// "100+", then an embedded series "3+4" completed with Enter:
//   1 +100.00  2 (  3 +3.00  4 +4.00  5 =  6 T 7.00  7 )  8 +7.00  9 +
struct EmbeddedLinkDocument : LinkDocument {
    EmbeddedLinkDocument() {
        main_.SetColumnShown(TTapeColumn::Links, true);
        main_.SetColumnShown(TTapeColumn::RunningTotal, true);
        Type(main_, "100+");
        main_.InsertNewEmbeddedSeries();
        Type(main_, "3+4\n");
    }

    // Line numbers from 1, as the link manager counts.
    int LineOf(std::string_view indicator) const {
        for (LineIndex g = 0; g <= main_.Lines().LastLine(); ++g) {
            if (main_.Lines().Indicator(g) == indicator) return g + 1;
        }
        return 0;
    }
    int External() const { return LineOf(")") + 1; }
    int Total() const { return LineOf(")") - 1; }

    // Overtypes the entry of a line and commits it with the given key.
    void Overtype(int line, std::string_view text, TTapeKey commit) {
        main_.SetFocusLine(line - 1);
        for (std::size_t i = Entry(main_, line).size(); i > 0; --i) main_.KeyPress(TapeChar::kBackspace);
        Type(main_, text);
        if (!main_.KeyDown(commit) && commit == TTapeKey::Enter) main_.KeyPress(TapeChar::kEnter);
    }

    bool AnyLinkLeft() const {
        for (int line = 1; line <= main_.Lines().LastLine() + 1; ++line) {
            if (!LinkOf(main_, line).empty() || !LinksCell(main_, line).empty()) return true;
        }
        return false;
    }

    void ExpectPermanentLink() {
        const std::string source = LinkOf(main_, Total());
        ASSERT_EQ(LinkDataRole(source), 'S') << source;
        const std::string number(LinkDataNumber(source));
        EXPECT_EQ(source, "AS+" + number + ",P");
        EXPECT_EQ(LinkOf(main_, External()), "AD+" + number + ",P");
        EXPECT_EQ(LinksCell(main_, Total()), "Used at line  " + std::to_string(External()));
        EXPECT_EQ(LinksCell(main_, External()), "From line  " + std::to_string(Total()));
    }
};

class EmbeddedLinkTest : public ::testing::Test, public EmbeddedLinkDocument {};

TEST_F(EmbeddedLinkTest, CompletionLinksTheTotalToTheExternalTotalLine) {
    EXPECT_EQ(Total(), 6);
    EXPECT_EQ(External(), 8);
    ExpectPermanentLink();
    EXPECT_EQ(Entry(main_, 8), "+7.00");
    EXPECT_EQ(main_.Lines().Cell(7, TLineColumn::RunningTotal), "107.00");
}

TEST_F(EmbeddedLinkTest, TheExternalTotalLineFollowsEditsThroughTheLink) {
    struct Case {
        const char* name;
        std::function<void(EmbeddedLinkDocument&)> edit;
        const char* external;
        const char* runningTotal;
    };
    const Case cases[] = {
        {"an entry changed with Enter", [](EmbeddedLinkDocument& t) { t.Overtype(4, "+40", TTapeKey::Enter); }, "+43.00",
         "143.00"},
        {"an entry changed and left with the focus",
         [](EmbeddedLinkDocument& t) { t.Overtype(3, "-30", TTapeKey::Down); }, "-26.00", "74.00"},
        {"an entry changed with an operator key and another typed",
         [](EmbeddedLinkDocument& t) {
             t.main_.SetFocusLine(3);
             for (int i = 0; i < 5; ++i) t.main_.KeyPress(TapeChar::kBackspace);
             t.Type(t.main_, "+40+5\n");
         },
         "+48.00", "148.00"},
        {"a line inserted and typed",
         [](EmbeddedLinkDocument& t) {
             t.main_.SetFocusLine(3);
             ASSERT_TRUE(t.main_.InsertLine());
             t.Type(t.main_, "6\n");
         },
         "+13.00", "113.00"},
        {"an entry deleted",
         [](EmbeddedLinkDocument& t) {
             t.main_.SetFocusLine(2);
             ASSERT_TRUE(t.main_.DeleteLine());
         },
         "+4.00", "104.00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EmbeddedLinkDocument d;
        c.edit(d);
        d.ExpectPermanentLink();
        EXPECT_EQ(Entry(d.main_, d.External()), c.external);
        EXPECT_EQ(d.main_.Lines().Cell(d.External() - 1, TLineColumn::RunningTotal), c.runningTotal);
    }
}

TEST_F(EmbeddedLinkTest, ReopeningEmptyingOrDeletingRemovesThePermanentLink) {
    struct Case {
        const char* name;
        std::function<void(EmbeddedLinkDocument&)> change;
        const char* external;  // empty: the external total line went with the series
    };
    const Case cases[] = {
        {"the total line deleted",
         [](EmbeddedLinkDocument& t) {
             t.main_.SetFocusLine(5);
             t.main_.DeleteLine();
         },
         "+"},
        {"an operator key on the total reopens the series",
         [](EmbeddedLinkDocument& t) {
             t.main_.SetFocusLine(5);
             t.Type(t.main_, "+");
         },
         "+"},
        {"Empty Embedded Series",
         [](EmbeddedLinkDocument& t) {
             t.main_.SetFocusLine(2);
             ASSERT_TRUE(t.main_.EmptyEmbeddedSeries());
         },
         "+"},
        {"Delete Embedded Series",
         [](EmbeddedLinkDocument& t) {
             t.main_.SetFocusLine(2);
             ASSERT_TRUE(t.main_.DeleteEmbeddedSeries());
         },
         ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EmbeddedLinkDocument d;
        c.change(d);
        EXPECT_FALSE(d.AnyLinkLeft());
        if (*c.external != '\0') EXPECT_EQ(Entry(d.main_, d.External()), c.external);
    }
}

TEST_F(EmbeddedLinkTest, AReopenedSeriesCompletedAgainIsLinkedAgain) {
    main_.SetFocusLine(5);
    Type(main_, "+2\n");
    ExpectPermanentLink();
    EXPECT_EQ(Entry(main_, External()), "+9.00");
    EXPECT_EQ(main_.Lines().Cell(External() - 1, TLineColumn::RunningTotal), "109.00");
}

TEST_F(EmbeddedLinkTest, CompletingASeriesKeepsTheSourceTheUserCopied) {
    ASSERT_TRUE(manager_.SetAsLinkSource('t', 1, ""));
    main_.SetFocusLine(5);
    Type(main_, "+2\n");
    ExpectPermanentLink();
    const int last = main_.Lines().LastLine() + 1;
    ASSERT_TRUE(manager_.SetAsLinkDest('t', last, ""));
    EXPECT_EQ(LinkDataNumber(LinkOf(main_, last)), LinkDataNumber(LinkOf(main_, 1)));
    EXPECT_EQ(Entry(main_, last), "+100.00");
}

TEST_F(EmbeddedLinkTest, ThePermanentLinkSurvivesUserUnlinksAndPastes) {
    struct Case {
        const char* name;
        std::function<void(EmbeddedLinkDocument&)> attempt;
        const char* explanation;
    };
    const Case cases[] = {
        {"Unlink on the external total line", [](EmbeddedLinkDocument& t) { t.manager_.Unlink('t', 8, 'u'); }, ""},
        {"Unlink on the total line", [](EmbeddedLinkDocument& t) { t.manager_.Unlink('t', 6, 'u'); }, ""},
        {"another source pasted onto the external total line",
         [](EmbeddedLinkDocument& t) {
             ASSERT_TRUE(t.manager_.SetAsLinkSource('t', 1, ""));
             EXPECT_FALSE(t.manager_.SetAsLinkDest('t', 8, ""));
         },
         "The entry cell at line 8 is a permanent Link Destination. Its Link Source cannot be changed."},
        {"broken-link removal", [](EmbeddedLinkDocument& t) { t.manager_.RemoveBrokenLinks(); }, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EmbeddedLinkDocument d;
        c.attempt(d);
        EXPECT_EQ(d.Explanation(), c.explanation);
        d.ExpectPermanentLink();
        // The link still carries the embedded total.
        d.Overtype(3, "+13", TTapeKey::Enter);
        EXPECT_EQ(Entry(d.main_, d.External()), "+17.00");
    }
}

}  // namespace
}  // namespace tally::test
