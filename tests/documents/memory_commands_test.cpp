// The memory functions of a document: values and totals into the memory tape, values back, the
// links both ways, the recall of a memory entry from each kind of tape, and the automatic
// annotation of memory totals.
#include "cross_tape_fixture.h"
#include "engine/series/series_base.h"
#include "foundation/numbers/format_settings.h"

namespace tally::test {
namespace {

const Rows kEmptyMemory{" |"};

TEST_F(CrossTapeTest, MemoryFunctionsStoreAndBringBackValues) {
    struct Case {
        const char* script;
        Rows memory;
        Rows main;
    };
    const Rows totalled{" |+12.00", "=|==========", "T|17.00", " |"};
    const Case cases[] = {
        // The focus line's entry; a multiplication operator is dropped, a minus entry turned.
        {"12\n{Go1}[MemPlusEntry]", {" |+12.00", "=|==========", "T|12.00", "Z|0.00", " |"}, {}},
        {"5X3\n{Go2}[MemPlusEntry]", {" |+3.00", "=|==========", "T|3.00", "Z|0.00", " |"}, {}},
        {"5-4\n{Go2}[MemMinusEntry]", {" |+4.00", "=|==========", "T|4.00", "Z|0.00", " |"}, {}},
        // The series' total, twice: the memory total is their sum.
        {"12+5\n[MemPlusTotal][MemPlusTotal]",
         {" |+17.00", " |+17.00", "=|==========", "T|34.00", "Z|0.00", " |"}, {}},
        {"12+5\n[MemMinusTotal]", {" |-17.00", "=|==========", "T|-17.00", "Z|0.00", " |"}, {}},
        // Back into an empty entry or one holding only an operator.
        {"12+5\n[MemPlusTotal]\n1+[MemTotalToEntry]",
         {" |+17.00", "=|==========", "T|17.00", "Z|0.00", " |"},
         {" |+12.00", " |+5.00", "=|==========", "T|17.00", "Z|0.00", " |+1.00", " |+17.00"}},
        {"12+5\n[MemPlusTotal][MemClear]", kEmptyMemory, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.script);
        doc_.Reset("Untitled(1)");
        doc_.EnableMemory(true);
        Script(c.script);
        EXPECT_EQ(Lines(doc_.MemoryTape()), c.memory);
        if (!c.main.empty()) {
            EXPECT_EQ(Lines(&doc_.MainTape()), c.main);
        }
        EXPECT_TRUE(Beeps().empty()) << Beeps().front();
        Beeps().clear();
    }
}

TEST_F(CrossTapeTest, MemoryFunctionsRefuseOrDoNothing) {
    struct Case {
        const char* script;
        bool memoryEnabled;
        std::string beep;
    };
    const Case cases[] = {
        {"[MemTotalToEntryLink]", true, std::string(kNoMemoryTotalToLinkText)},
        {"12\n{Go1}[MemPlusEntry][MemTotalToEntry]", true,
         "The entry with the focus highlight must be blank, or contain only an operator character, in order to "
         "receive a number."},
        // Without memory, and on the memory tape itself, nothing happens.
        {"12+5\n[MemPlusTotal][MemPlusEntry][MemTotalToEntry][MemClear]", false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.script);
        doc_.Reset("Untitled(1)");
        doc_.EnableMemory(c.memoryEnabled);
        Script(c.script);
        EXPECT_EQ(Beeps(), c.beep.empty() ? Rows{} : Rows{c.beep});
        Beeps().clear();
    }
}

TEST_F(CrossTapeTest, OnTheMemoryTapeOnlyClearAndDeleteLineWork) {
    doc_.EnableMemory(true);
    Script("12+5\n[MemPlusTotal]\n1\n[MemPlusTotal]");
    const Rows stored{" |+17.00", " |+1.00", "=|==========", "T|18.00", "Z|0.00", " |"};
    ASSERT_EQ(Lines(doc_.MemoryTape()), stored);
    ASSERT_TRUE(doc_.ShowByName("Memory"));
    Script("[MemPlusTotal][MemPlusEntry][MemTotalToEntry]");
    EXPECT_EQ(Lines(doc_.MemoryTape()), stored);
    Script("{Go1}[MemDeleteLine]");
    EXPECT_EQ(Lines(doc_.MemoryTape()), (Rows{" |+1.00", "=|==========", "T|1.00", "Z|0.00", " |"}));
    // Delete Line needs the memory tape shown.
    ASSERT_TRUE(doc_.ShowByName("Tape"));
    Script("[MemDeleteLine]");
    EXPECT_EQ(Lines(doc_.MemoryTape()).size(), 5u);
}

TEST_F(CrossTapeTest, MemoryTotalTakesTheSeriesTotalType) {
    doc_.EnableMemory(true);
    Script("1:30+0:45\n[MemPlusTotal]");
    const TCalculator& memory = *doc_.MemoryTape();
    EXPECT_EQ(Lines(&memory), (Rows{" |+02:15", "=|==========", "T|02:15", "Z|0.00", " |"}));
    EXPECT_EQ(memory.Lines().Property(3, LineKey::kTotalType), "T2");
}

// A linked value into an empty memory starts its series (a minus link on the line that holds
// its minus); the next goes before the memory total.
TEST_F(CrossTapeTest, LinksIntoMemoryTakeTheirSourcesValue) {
    struct Case {
        const char* command;
        Rows memory;
    };
    const Case cases[] = {
        {"[MemPlusEntryLink]", {" |+12.00", " |+12.00", "=|==========", "T|24.00", "Z|0.00", " |"}},
        {"[MemMinusEntryLink]", {" |-12.00", " |-12.00", "=|==========", "T|-24.00", "Z|0.00", " |"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        doc_.Reset("Untitled(1)");
        doc_.EnableMemory(true);
        Script("12\n{Go1}");
        Script(c.command);
        Script(c.command);
        const TCalculator& memory = *doc_.MemoryTape();
        EXPECT_EQ(Lines(&memory), c.memory);
        EXPECT_FALSE(memory.Lines().Property(0, LineKey::kLinkId).empty());
        EXPECT_FALSE(memory.Lines().Property(1, LineKey::kLinkId).empty());
        EXPECT_FALSE(doc_.MainTape().Lines().Property(0, LineKey::kLinkId).empty());
        EXPECT_TRUE(Beeps().empty()) << Beeps().front();
    }
}

TEST_F(CrossTapeTest, TheMemoryTotalLinksIntoTheCurrentTape) {
    doc_.EnableMemory(true);
    Script("12\n[MemPlusTotal]");
    const TCalculator& memory = *doc_.MemoryTape();
    // The memory total linked into the line after the zero total.
    Script("\n[MemTotalToEntryLink]");
    EXPECT_EQ(doc_.MainTape().Lines().Entries(4), "+12.00");
    EXPECT_FALSE(doc_.MainTape().Lines().Property(4, LineKey::kLinkId).empty());
    EXPECT_FALSE(memory.Lines().Property(2, LineKey::kLinkId).empty());
    EXPECT_TRUE(Beeps().empty()) << Beeps().front();
}

// Picking a memory line to bring into the tape the recall started from, for each kind of tape.
TEST_F(CrossTapeTest, RecallOfAMemoryEntryReturnsToTheTapeItStartedFrom) {
    doc_.EnableMemory(true);
    doc_.EnableSide(true);
    const std::string aux = doc_.AddAuxTape();
    ASSERT_TRUE(doc_.ShowByName("Tape"));
    Script("7+5\n[MemPlusTotal]\n3\n[MemPlusTotal]");
    TCalculator& memory = *doc_.MemoryTape();
    ASSERT_EQ(Lines(&memory), (Rows{" |+12.00", " |+3.00", "=|==========", "T|15.00", "Z|0.00", " |"}));
    for (const char* name : {"Tape", "Side Tape", aux.c_str()}) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(doc_.ShowByName(name));
        TCalculator& tape = doc_.CurrentTape();
        Script("+");
        EXPECT_TRUE(Commands().CanDoMemEntryToEntry());
        memory.SetFocusLine(1);
        EXPECT_EQ(Commands().SetupForMemEntryToEntry(), 2);
        EXPECT_EQ(doc_.VisibleName(), "Memory");
        EXPECT_EQ(Commands().SetupForMemEntryToEntry(), 0);
        EXPECT_FALSE(doc_.ShowByName("Tape", true));
        EXPECT_EQ(Beeps(), Rows{std::string(kLeaveMemoryDuringRecallText)});
        Beeps().clear();
        Script("[TeardownForMemEntryToEntry][MemEntryToEntry]");
        EXPECT_EQ(&doc_.CurrentTape(), &tape);
        EXPECT_FALSE(doc_.MemoryRecallActive());
        EXPECT_EQ(tape.Lines().Entries(tape.FocusLine()), "+3.00");
        EXPECT_TRUE(Beeps().empty()) << Beeps().front();
    }
    // A focus line among the last four lines: the recall starts on line 1.
    memory.SetFocusLine(3);
    EXPECT_EQ(Commands().SetupForMemEntryToEntry(), 1);
    EXPECT_EQ(memory.FocusLine(), 0);
}

TEST_F(CrossTapeTest, TheRecallLetterNeedsMemoryAndAnOpenEntry) {
    Script("e");
    EXPECT_EQ(Beeps(), Rows{std::string(kCannotRecallText)});
    doc_.EnableMemory(true);
    Beeps().clear();
    Script("5e");
    EXPECT_EQ(Beeps(), Rows{std::string(kCannotRecallText)});
    EXPECT_FALSE(doc_.MemoryRecallActive());
    Script("\ne");
    EXPECT_TRUE(doc_.MemoryRecallActive());
    EXPECT_EQ(doc_.VisibleName(), "Memory");
}

TEST_F(CrossTapeTest, MemoryTotalsAreAnnotatedAutomatically) {
    struct Case {
        bool annotationsShown;
        bool automatic;
        const char* focusAnnotation;
        const char* totalAnnotation;
        const char* expected;
    };
    const Case cases[] = {
        {true, true, "", "", "using 12.5 as variable"},
        {false, true, "ignored", "ignored", "using 12.5 as variable"},
        {true, true, "rate", "Rent", "Rent 12.5 rate"},
        {true, false, "rate", "Rent", "Rent"},
        {false, false, "rate", "Rent", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        doc_.Reset("Untitled(1)");
        doc_.EnableMemory(true);
        Script("12.50+3\n");
        TCalculator& tape = doc_.MainTape();
        tape.Lines().SetCell(0, TLineColumn::Annotations, c.focusAnnotation);
        tape.Lines().SetCell(3, TLineColumn::Annotations, c.totalAnnotation);
        Commands().SetAutoAnnotateMemTotal(c.automatic);
        doc_.ShowColumn(TTapeColumn::Annotations, c.annotationsShown);
        tape.SetFocusLine(0);
        EXPECT_EQ(Commands().MemTotalAnnotation(tape), c.expected);
    }
}

TEST_F(CrossTapeTest, SwitchingAutomaticAnnotationOnShowsTheAnnotations) {
    doc_.ShowColumn(TTapeColumn::Annotations, false);
    doc_.EnableMemory(true);
    Commands().SetAutoAnnotateMemTotal(true);
    EXPECT_TRUE(doc_.MainTape().IsColumnShown(TTapeColumn::Annotations));
    EXPECT_TRUE(doc_.MemoryTape()->IsColumnShown(TTapeColumn::Annotations));
    Script("4.10\n{Go1}[MemPlusTotal]");
    EXPECT_EQ(doc_.MemoryTape()->Lines().Annotations(0), "using 4.1 as variable");
}

TEST(AnnotationValueTextTest, WritesTheEntryValueWithoutTrailingZeros) {
    const std::pair<const char*, const char*> cases[] = {
        {"+12.50", "12.5"}, {"7.00", "7.0"}, {"X3", "3"}, {"-4.10", "-4.1"}, {"1,234.50", "1234.5"},
        {"12", "12"},       {"1 1/2", "1 1/2"}, {"01:30", "01:30"}, {"", ""},
    };
    for (const auto& [entries, expected] : cases) EXPECT_EQ(AnnotationValueText(entries), expected) << entries;
}

}  // namespace
}  // namespace tally::test
