// The auxiliary tape manager: ids around the reserved letters, the limit, creation by name and
// its refusals, removal, labels, the walk and the two events on the document bus.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "foundation/event_names.h"
#include "foundation/mediator.h"
#include "foundation/message_records.h"
#include "tapes/auxiliary_calculator_manager.h"

namespace tally {
namespace {

using Names = std::vector<std::string>;

class AuxManagerTest : public ::testing::Test {
protected:
    AuxManagerTest() {
        bus_.Add(events::FileObj_GetDefaultTapePageHeader,
                 [](TMedRecord*, TMedRecord* out) { RecordAs<TMedString>(out)->Value = "Header"; });
    }
    void CreateAll() {
        while (manager_.CreateNext() != nullptr) {
        }
    }
    TStMediator bus_;
    TAuxiliaryCalculatorManager manager_{&bus_};
};

TEST_F(AuxManagerTest, HandsOutLettersAroundTheReservedOnesUpToTheLimit) {
    CreateAll();
    EXPECT_EQ(manager_.Count(), 17);
    EXPECT_FALSE(manager_.MoreAvailable());
    EXPECT_EQ(manager_.UsedIds(), "abcdefgijkpquvwyz");
    EXPECT_EQ(manager_.Names().front(), "Aux A");
    EXPECT_EQ(manager_.Names().back(), "Aux Z");
    EXPECT_EQ(manager_.CreateNext(), nullptr);
    EXPECT_EQ(manager_.CreateByName("Aux Z"), nullptr);

    // A freed letter is the next one taken.
    manager_.RemoveByName("Aux C");
    EXPECT_TRUE(manager_.MoreAvailable());
    TCalculator* again = manager_.CreateNext();
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->TapeName(), "Aux C");
    EXPECT_EQ(again->TapeId(), 'c');
    EXPECT_EQ(manager_.UsedIds(), "abdefgijkpquvwyzc");
}

TEST_F(AuxManagerTest, CreateByNameRefusesWhatIsNotAFreeTapeLetter) {
    ASSERT_NE(manager_.CreateByName("Aux B"), nullptr);
    const struct {
        std::string Name;
        bool Created;
    } cases[] = {
        {"Aux M", false},      {"Aux T", false},  {"Aux X", false}, {"Aux 1", false},  {"AuxA", false},
        {"Aux AB", false},     {"Aux B", false},  {"aux C", false}, {"Aux \xC4", false}, {"Aux [", false},
        {"Aux @", false},      {"", false},       {"Aux D", true},  {"Aux e", true},
    };
    for (const auto& [name, created] : cases) {
        TCalculator* tape = manager_.CreateByName(name);
        EXPECT_EQ(tape != nullptr, created) << name;
    }
    EXPECT_EQ(manager_.Names(), (Names{"Aux B", "Aux D", "Aux E"}));
    EXPECT_EQ(manager_.UsedIds(), "bde");
}

TEST_F(AuxManagerTest, NewTapesTakeTheDocumentDefaultsAndSettings) {
    TAuxTapeSettings settings;
    settings.Colors.ZeroTotal = 0x123456;
    settings.GroupTotalCreationDisplay = "ST";
    settings.GrandTotalCreationDisplay = "GT";
    settings.ShowLinks = false;
    settings.RoundingMethod = TRoundingMethod::Even;
    TCalculator* before = manager_.CreateNext();
    manager_.ApplySettings(settings);
    TCalculator* after = manager_.CreateNext();
    for (TCalculator* tape : {before, after}) {
        EXPECT_EQ(tape->PageHeader(), "Header");
        EXPECT_EQ(tape->Title(), "");  // unanswered event: empty
        EXPECT_EQ(tape->Colors().ZeroTotal, 0x123456u);
        EXPECT_EQ(tape->GroupTotalCreationDisplayState(), "ST");
        EXPECT_EQ(tape->GrandTotalCreationDisplayState(), "GT");
    }
    EXPECT_FALSE(before->IsColumnShown(TTapeColumn::Links));
    EXPECT_EQ(before->RoundingMethod(), TRoundingMethod::Even);
}

TEST_F(AuxManagerTest, FindsLabelsRemovesAndWalks) {
    TCalculator* a = manager_.CreateNext();
    TCalculator* b = manager_.CreateNext();
    TCalculator* c = manager_.CreateNext();
    EXPECT_EQ(manager_.FindById('B'), b);
    EXPECT_EQ(manager_.FindById('b'), b);
    EXPECT_EQ(manager_.FindById('m'), nullptr);
    EXPECT_EQ(manager_.FindByName("Aux C"), c);
    EXPECT_TRUE(manager_.IsAuxiliary(a));
    EXPECT_EQ(TAuxiliaryCalculatorManager::NameForId('q'), "Aux Q");
    EXPECT_EQ(TAuxiliaryCalculatorManager::NameForId('s'), "");
    EXPECT_EQ(TAuxiliaryCalculatorManager::NameForId('3'), "");

    manager_.SetLabel(b, "Rent");
    EXPECT_EQ(manager_.Labels(), (Names{"", "Rent", ""}));
    manager_.MakeCurrentByName("Aux B");
    EXPECT_EQ(manager_.Current(), b);
    manager_.Remove(b);
    EXPECT_EQ(manager_.Current(), nullptr);
    EXPECT_EQ(manager_.Names(), (Names{"Aux A", "Aux C"}));
    manager_.MakeCurrentByName("Aux Q");
    EXPECT_EQ(manager_.Current(), nullptr);

    std::vector<TCalculator*> walked;
    for (TCalculator* tape = manager_.First(); tape != nullptr; tape = manager_.Next()) walked.push_back(tape);
    EXPECT_EQ(walked, (std::vector<TCalculator*>{a, c}));
    EXPECT_EQ(manager_.Next(), nullptr);  // the walk has ended

    manager_.RemoveAll();
    EXPECT_EQ(manager_.Count(), 0);
    EXPECT_EQ(manager_.UsedIds(), "");
}

TEST_F(AuxManagerTest, EmptyModifiedAndEraseAll) {
    EXPECT_TRUE(manager_.AllEmpty());
    TCalculator* a = manager_.CreateNext();
    manager_.CreateNext();
    EXPECT_TRUE(manager_.AllEmpty());
    EXPECT_TRUE(manager_.AllAnnotationsEmpty());
    EXPECT_FALSE(manager_.AnyModified());
    a->Lines().SetEntries(0, "5");
    a->Lines().SetCell(0, TLineColumn::Annotations, "note");
    a->Lines().SetRowHeight(0, 60);  // a line made taller for its annotation
    a->SetModified(true);
    a->SetTitle("Old");
    manager_.SetLabel(a, "Label");
    EXPECT_FALSE(manager_.AllEmpty());
    EXPECT_FALSE(manager_.AllAnnotationsEmpty());
    EXPECT_TRUE(manager_.AnyModified());
    EXPECT_GT(manager_.WidestDisplay(), 0);

    manager_.EraseAll();
    EXPECT_TRUE(manager_.AllEmpty());
    EXPECT_EQ(a->Lines().RowHeight(0), 0) << "back to the default height";
    EXPECT_TRUE(manager_.AllAnnotationsEmpty());
    EXPECT_EQ(a->Title(), "");
    EXPECT_EQ(manager_.Label(a), "");
    manager_.SetModified(false);
    EXPECT_FALSE(manager_.AnyModified());
}

TEST_F(AuxManagerTest, ServesItsEventsUntilDestroyed) {
    manager_.CreateByName("Aux B");
    const struct {
        char Letter;
        bool Enabled;
        bool Found;
    } cases[] = {{'b', true, true}, {'B', false, true}, {'a', false, false}, {'t', false, false}};
    for (const auto& [letter, enabled, found] : cases) {
        TMedChar in;
        in.Value = letter;
        TMedBoolean isEnabled;
        bus_.Handle(events::AuxMgr_IsEnabledAuxTapeId, &in, &isEnabled);
        EXPECT_EQ(isEnabled.Value, enabled) << letter;
        TMedObjectReference tape;
        bus_.Handle(events::AuxMgr_GetAuxCalculatorById, &in, &tape);
        EXPECT_EQ(tape.ObjRef == manager_.FindByName("Aux B"), found) << letter;
    }
    auto scoped = std::make_unique<TStMediator>();
    { TAuxiliaryCalculatorManager local{scoped.get()}; }
    EXPECT_FALSE(scoped->Exists(events::AuxMgr_IsEnabledAuxTapeId));
    EXPECT_FALSE(scoped->Exists(events::AuxMgr_GetAuxCalculatorById));
}

TEST_F(AuxManagerTest, ConnectedTapesKnowTheEnabledLetters) {
    TCalculator main('t');
    manager_.ConnectTape(main);
    TCalculator* b = manager_.CreateByName("Aux B");
    for (TCalculator* tape : {&main, b}) {
        EXPECT_TRUE(tape->Hooks().IsAuxTapeIdEnabled('b'));
        EXPECT_FALSE(tape->Hooks().IsAuxTapeIdEnabled('a'));
    }
    manager_.Remove(b);
    EXPECT_FALSE(main.Hooks().IsAuxTapeIdEnabled('b'));
}

}  // namespace
}  // namespace tally
