// Which links and table column assignments a pasted record keeps, by paste case and target.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/lines/calc_params.h"
#include "engine/lines/link_data.h"
#include "links/paste_links.h"

#include <memory>

namespace tally {
namespace {

constexpr std::string_view kSession = "1111222233334444";

std::string Num(int n) {
    std::string digits = std::to_string(n);
    return std::string(16 - digits.size(), '0') + digits;
}

// Line 0: internal source of 7; line 1: its destination; line 2: lone source of 8 with flag P;
// line 3: lone destination of 9; line 4: a table column assignment.
TTapeRecord LinkedRecord(std::string_view session, std::string_view operation) {
    TTapeRecord record;
    record.kind = TRecordKind::EntireTape;
    record.sessionId = std::string(session);
    record.operation = std::string(operation);
    record.groups = {{"+1", " ", "LID=AS+" + Num(7), ""},
                     {"+1", " ", "LID=AD+" + Num(7), ""},
                     {"+2", " ", "\"LID=AS+" + Num(8) + ",P\"", ""},
                     {"+3", " ", "LID=AD-" + Num(9), ""},
                     {"4.00", "T", "TCID=12,TCN=3", ""},
                     {"0.00", "Z", "TT=DE,SDP=2", ""}};
    return record;
}

TRandomFraction Counting() {
    auto next = std::make_shared<int>(0);
    return [next] { return 0.5 + 0.01 * ++*next; };
}

TEST(PasteLinks, ClassifiesBySessionThenOperation) {
    EXPECT_EQ(ClassifyPaste(LinkedRecord(kSession, "cut"), kSession), TPasteCase::Cut);
    EXPECT_EQ(ClassifyPaste(LinkedRecord(kSession, "copy"), kSession), TPasteCase::Copy);
    EXPECT_EQ(ClassifyPaste(LinkedRecord(kSession, "copytoside"), kSession), TPasteCase::SideCopy);
    EXPECT_EQ(ClassifyPaste(LinkedRecord("9999999999999999", "cut"), kSession), TPasteCase::Foreign);
}

TEST(PasteLinks, PropertyRulesByCase) {
    struct Case {
        const char* name;
        TPasteTarget target;
        std::string operation;
        std::string session;
        bool renumbered;
        bool loneSourceKept;
        bool loneDestKept;
        bool tableKept;
    };
    const std::string other = "9999999999999999";
    const std::vector<Case> cases = {
        {"series cut", TPasteTarget::Series, "cut", std::string(kSession), false, true, true, true},
        {"series copy", TPasteTarget::Series, "copy", std::string(kSession), true, false, true, false},
        {"series side copy", TPasteTarget::Series, "copytoside", std::string(kSession), true, false, false, false},
        {"series foreign", TPasteTarget::Series, "cut", other, true, false, false, false},
        {"embedded side copy", TPasteTarget::EmbeddedSeries, "copytoside", std::string(kSession), false, false, false,
         false},
        {"tape cut", TPasteTarget::TapeOrRange, "cut", std::string(kSession), false, true, true, true},
        {"tape copy", TPasteTarget::TapeOrRange, "copy", std::string(kSession), true, false, true, false},
        {"tape side copy", TPasteTarget::TapeOrRange, "copytoside", std::string(kSession), false, true, false, false},
    };
    for (const Case& c : cases) {
        TTapeRecord record = LinkedRecord(c.session, c.operation);
        std::set<std::string, std::less<>> inUse = {Num(7), Num(8), Num(9)};
        PreparePastedProperties(record, PasteRulesFor(c.target, ClassifyPaste(record, kSession)), inUse, Counting());
        const auto lid = [&](int g) { return std::string(TCalcParams::FromText(record.groups[g].calcParams).Value("LID")); };
        SCOPED_TRACE(c.name);
        // Both ends of the internal link always carry the same number.
        ASSERT_FALSE(lid(0).empty());
        EXPECT_EQ(LinkDataNumber(lid(0)), LinkDataNumber(lid(1)));
        EXPECT_EQ(LinkDataNumber(lid(0)) != Num(7), c.renumbered);
        if (c.renumbered) {
            EXPECT_TRUE(inUse.contains(std::string(LinkDataNumber(lid(0)))));
        }
        EXPECT_EQ(!lid(2).empty(), c.loneSourceKept);
        EXPECT_EQ(!lid(3).empty(), c.loneDestKept);
        if (c.loneDestKept) {
            EXPECT_EQ(lid(3), "AD-" + Num(9));
        }
        EXPECT_EQ(record.groups[4].calcParams == "TCID=12,TCN=3", c.tableKept);
        if (!c.tableKept) {
            EXPECT_EQ(record.groups[4].calcParams, "");
        }
        EXPECT_EQ(record.groups[5].calcParams, "TT=DE,SDP=2");
    }
}

TEST(PasteLinks, SeriesPasteDropsSourceFlagButEmptyEmbeddedTargetKeepsIt) {
    for (TPasteTarget target : {TPasteTarget::Series, TPasteTarget::EmptyEmbeddedSeries}) {
        TTapeRecord record = LinkedRecord(kSession, "cut");
        std::set<std::string, std::less<>> inUse;
        PreparePastedProperties(record, PasteRulesFor(target, TPasteCase::Cut), inUse, Counting());
        const bool flagged = record.groups[2].calcParams.find(",P") != std::string::npos;
        EXPECT_EQ(flagged, target == TPasteTarget::EmptyEmbeddedSeries);
    }
}

TEST(PasteLinks, ForeignTapeReplacesNumbersInUseAndDropsDamagedLinkData) {
    TTapeRecord record = LinkedRecord("9999999999999999", "copy");
    record.groups[5].calcParams = "LID=AX+12,TT=DE";
    std::set<std::string, std::less<>> inUse = {Num(7)};
    PreparePastedProperties(record, PasteRulesFor(TPasteTarget::TapeOrRange, TPasteCase::Foreign), inUse,
                            Counting());
    const std::string first(TCalcParams::FromText(record.groups[0].calcParams).Value("LID"));
    EXPECT_NE(LinkDataNumber(first), Num(7));
    EXPECT_EQ(LinkDataNumber(first), LinkDataNumber(TCalcParams::FromText(record.groups[1].calcParams).Value("LID")));
    EXPECT_EQ(record.groups[5].calcParams, "TT=DE");
}

}  // namespace
}  // namespace tally
