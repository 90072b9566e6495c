// What may be typed into an entry cell, character by character.
#include <gtest/gtest.h>

#include <string>

#include "engine/entry/partial_entry.h"
#include "foundation/numbers/format_settings.h"
#include "foundation/numbers/number_texts.h"

namespace tally {
namespace {

bool MainTapeLetters(char c) { return c == 't' || c == 'm' || c == 's'; }

TEST(PartialEntryTest, AcceptsEveryBeginningOfAnEntryAndNothingElse) {
    struct Case {
        std::string text;
        bool valid;
    } const cases[] = {
        {"", true},          {"+", true},        {"X-", true},      {"\xF7-", true},
        {"12", true},        {"+1,234.5", true}, {".", true},       {"-.5", true},
        {"+1:", true},       {"1:30:", true},    {"+ 3/", true},    {"1 3/4", true},
        {"12 ", true},       {"cm12", true},     {"lt", true},      {"l45", true},
        {"+-5", false},      {"XX", false},      {"1.2.3", false},  {"1:2:3:4", false},
        {"1.5 3/4", false},  {"1 3 /4", false},  {"/", false},      {"1 /", false},
        {"cq1", false},      {"12c", false},     {"1 2 3", false},  {"3/4/5", false},
        {"100/", false},     {"3/", false},      {"+3/4", false},   {"1/ 2", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("\"" + c.text + "\"");
        EXPECT_EQ(IsValidPartialEntry(c.text, MainTapeLetters), c.valid);
    }
}

TEST(PartialEntryTest, KeysAreCheckedAtTheCaretAndMappedToTheirOperator) {
    struct Case {
        char key;
        std::string text;
        int caret;
        int selection;
        bool addingMachine;
        std::optional<char> expected;
    } const cases[] = {
        {'5', "+12", 3, 0, false, '5'},
        {'*', "", 0, 0, false, 'X'},          // "*" is no entry text, its operator is
        {'x', "", 0, 0, false, 'X'},
        {'/', "", 0, 0, false, '\xF7'},       // at the start "/" divides ...
        {'/', "+ 3", 3, 0, false, '/'},       // ... after a numerator it is the fraction slash
        {'/', "100", 3, 0, false, std::nullopt},  // ... and after digits alone no slash: the
                                                  // route takes it as the operator key
        {'a', "", 0, 0, false, '+'},
        {'-', "X", 1, 0, false, '-'},         // a negative operand
        {'-', "X5", 1, 1, false, std::nullopt},  // "-" may not replace the operand
        {'-', "X-", 1, 1, false, '-'},           // ... but may replace a selected "-"
        {'+', "+5", 0, 1, false, '+'},        // replacing the operator
        {'q', "", 0, 0, false, std::nullopt}, // no entry character
        {'9', "1:5", 3, 0, false, '9'},
        {'.', "1:5", 3, 0, false, std::nullopt},
        {'+', "", 0, 0, true, std::nullopt},  // adding machine: operators follow the number
        {'5', "", 0, 0, true, '5'},
        {'m', "c", 1, 0, false, 'm'},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(1, c.key) + " into \"" + c.text + "\"");
        EXPECT_EQ(KeyAllowedAt(c.key, c.text, c.caret, c.selection, c.addingMachine, MainTapeLetters),
                  c.expected);
    }
}

TEST(PartialEntryTest, UnderscoreLeadsFractionsWhenBlanksGroupThousands) {
    SetFormatSeparators(",", " ");
    EXPECT_TRUE(IsValidPartialEntry("1_3/4", MainTapeLetters));
    EXPECT_TRUE(IsValidPartialEntry("1\xA0" "234,5", MainTapeLetters));
    EXPECT_FALSE(IsValidPartialEntry("1 3/4", MainTapeLetters));
    // A typed blank is that separator, stored as the no-break space; read texts take it too.
    EXPECT_EQ(KeyAllowedAt(' ', "1", 1, 0, false, MainTapeLetters), '\xA0');
    EXPECT_TRUE(IsValidPartialEntry("1 234", MainTapeLetters));
    EXPECT_TRUE(IsValidEntryNumber("+1 234,5"));
    EXPECT_EQ(EntryNumberValue("+1 234,5"), 1234.5L);
    EXPECT_EQ(EntryNumberValue("1 234_3/4"), 1234.75L);
    ResetFormatSettings();
}

}  // namespace
}  // namespace tally
