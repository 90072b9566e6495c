// Quick copy typed into an entry cell: "c", an optional tape id and an optional line number.
// The hand-wired document of the link tests (main tape 't', memory tape 'm', auxiliary tape
// 'a') with a copy manager over its tapes.
#include <string>
#include <vector>

#include "engine/records/tape_record.h"
#include "links/calculator_copy_tape.h"
#include "links/copy_manager.h"
#include "link_test_fixture.h"

namespace tally::test {
namespace {

class QuickCopyTest : public LinkTest {
protected:
    QuickCopyTest() {
        for (TCalculator* tape : {&main_, &memory_, &aux_}) {
            tape->Hooks().IsAuxTapeIdEnabled = [this](char id) { return auxEnabled_ && id == 'a'; };
            tape->SetClipboard(&clipboard_);
        }
        copies_.RegisterEvents(bus_);
        otherRequests_ = [this](const TDeferredRequest& request) { return RunCopyRequest(copies_, request); };
        ReplaceTapeLines(main_, {{" ", "+5.00"}, {" ", "+1,002.50"}, {"=", "=========="}, {"T", "1,007.50"},
                                 {"Z", "0.00"}, {" ", "+1.00"}, {" ", ""}});
        ReplaceTapeLines(memory_, {{" ", "+10.00"}, {" ", "+4.00"}, {"=", "=========="}, {"T", "14.00"},
                                   {"Z", "0.00"}, {" ", ""}}, 0);
        ReplaceTapeLines(aux_, {{" ", "+1.00"}, {" ", ""}});
        aux_.RefreshAll();
    }

    std::vector<ICopyTape*> CopyTapes() {
        std::vector<ICopyTape*> tapes{&mainCopy_};
        if (memoryEnabled_) tapes.push_back(&memoryCopy_);
        if (auxEnabled_) tapes.push_back(&auxCopy_);
        return tapes;
    }

    TCalculatorCopyTape mainCopy_{main_, manager_};
    TCalculatorCopyTape memoryCopy_{memory_, manager_};
    TCalculatorCopyTape auxCopy_{aux_, manager_};
    TCopyManager copies_{[this] { return CopyTapes(); }};
};

TEST_F(QuickCopyTest, CheckRefusesWithItsReason) {
    const std::string notCopyable = " cannot be used as a Copy source.";
    const struct {
        std::string Text;
        std::string Message;
    } cases[] = {
        {"c", "The entry does not contain valid quick copy characters."},
        {"x1", "The entry does not contain valid quick copy characters."},
        {"ct1x", "The entry does not contain valid quick copy characters."},
        {"ctt", "The entry does not contain valid quick copy characters."},
        {"cs1", "Cannot use line on side tape as a Copy source.  The side tape is not enabled."},
        {"cq1", "Cannot use line on unknown tape as a Copy source."},
        {"ca", "Cannot use the Aux A tape's current series total as a Copy source.  The tape's current series "
               "does not have a final total line."},
        {"ct3", "The entry cell at line T3" + notCopyable},
        {"ct0", "The entry cell at line T0" + notCopyable},
        {"ct99", "The entry cell at line T99" + notCopyable},
        {"ct99999999999999999999", "The entry cell at line T99999999999999999999" + notCopyable},
        {"c7", "The entry cell at line T7" + notCopyable},  // the entry still being typed
    };
    for (const auto& [text, message] : cases) {
        const TCopyCheck check = copies_.CheckCopyData('t', 7, text);
        EXPECT_FALSE(check.Valid) << text;
        EXPECT_EQ(check.Message, message) << text;
    }
    for (const std::string_view valid : {"ct1", "cT2", "c4", "cm", "cm2", "ca1"}) {
        EXPECT_TRUE(copies_.CheckCopyData('t', 7, valid).Valid) << valid;
    }
    memoryEnabled_ = false;
    EXPECT_EQ(copies_.CheckCopyData('t', 7, "cm").Message,
              "Cannot use line on memory tape as a Copy source.  The memory tape is not enabled.");
}

TEST_F(QuickCopyTest, CopiesFromEachTapeAndReplaysTheKey) {
    // Each copy goes into the tape's last line, the one being typed on.
    const struct {
        TCalculator* Into;
        std::string Keys;
        std::string Entry;
    } cases[] = {
        {&main_, "c2+", "+1,002.50"},  // same tape
        {&main_, "cm+", "+14.00"},     // the memory tape's current total
        {&aux_, "ct4+", "+1,007.50"},  // a total line of the main tape
        {&main_, "ca1+", "+1.00"},     // the auxiliary tape
    };
    for (const auto& [tape, keys, entry] : cases) {
        const int line = tape->Lines().LineCount();
        Type(*tape, keys);
        EXPECT_EQ(Entry(*tape, line), entry) << keys;
        EXPECT_EQ(tape->Editor().Text, "+") << keys << ": the replayed key started the next entry";
        EXPECT_FALSE(copies_.RequestPending()) << keys;
    }
    // Enter ending a copy is replayed too: it commits the copy and totals the series.
    Type(aux_, "c1\n");
    EXPECT_EQ(Entry(aux_, 3), "+1.00");
    EXPECT_EQ(aux_.Lines().Indicator(4), "T");
    EXPECT_EQ(Entry(aux_, 5), "1,009.50");
}

TEST_F(QuickCopyTest, RefusalsWhenCarriedOutAreExplainedAndLeaveTheTapes) {
    const struct {
        std::string Stored;
        bool MemoryEnabled;
        std::string Message;
    } cases[] = {
        {"cm", false, "Can not use line on memory tape as a Copy source.  The memory tape is not enabled."},
        {"cs", true, "Can not use line on side tape as a Copy source.  The side tape is not enabled."},
        {"cq2", true, "Can not use line on unknown tape as a Copy source."},
        {"c0", true, "The entry cell at line T0 cannot be used as a Copy source."},
        {"c4294967297", true, "The entry cell at line T4294967297 cannot be used as a Copy source."},
        {"ct", true, "Cannot use the main tape's current series total as a Copy source.  The main tape's current "
                     "series does not have a final total line."},
    };
    for (const auto& [stored, memoryEnabled, message] : cases) {
        memoryEnabled_ = memoryEnabled;
        main_.Editor().Text = stored;
        copies_.StoreEntryCopyData(stored, 't', 7, TapeChar::kEnter);
        copies_.DoCopyPasteWithStoredEntryData();
        EXPECT_EQ(Explanation(), message) << stored;
        EXPECT_EQ(main_.Editor().Text, stored) << stored;
        EXPECT_EQ(main_.Lines().LineCount(), 7) << stored;
    }
}

TEST_F(QuickCopyTest, MemoryTotalMissingAndARequestRunsOnce) {
    ReplaceTapeLines(memory_, {{" ", "+10.00"}, {" ", ""}});
    main_.Editor().Text = "cm";
    copies_.StoreEntryCopyData("cm", 't', 7, '\0');
    copies_.DoCopyPasteWithStoredEntryData();
    EXPECT_EQ(Explanation(), "Cannot use the memory tape total as a Copy source.  The memory tape does not have a "
                             "final total line.");

    main_.Editor().Text = "c1";
    copies_.StoreEntryCopyData("c1", 't', 7, '\0');
    EXPECT_TRUE(copies_.RequestPending());
    copies_.DoCopyPasteWithStoredEntryData();
    // The line travels as a line record, operator and all, and stays on the clipboard.
    EXPECT_EQ(main_.Editor().Text, "+5.00");
    const auto record = ReadLineRecord(clipboard_.GetText());
    ASSERT_TRUE(record);
    EXPECT_EQ(record->entry, "+5.00");
    EXPECT_EQ(record->operation, "copy");
    main_.Editor().Text = "c1";
    copies_.DoCopyPasteWithStoredEntryData();
    EXPECT_EQ(main_.Editor().Text, "c1") << "the request was used up";
}

TEST_F(QuickCopyTest, AddingMachineChecksBeforeStoring) {
    main_.SetDataEntryOption(DataEntryOption::kAddingMachine);
    Type(main_, "c99+");
    EXPECT_EQ(Explanation(), "The entry cell at line T99 cannot be used as a Copy source.");
    EXPECT_FALSE(copies_.RequestPending());
    EXPECT_EQ(main_.Editor().Text, "c99");
}

}  // namespace
}  // namespace tally::test
