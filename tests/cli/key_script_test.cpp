// Reading the key notation of `tallyroll-cli tape`.
#include <gtest/gtest.h>

#include <string>

#include "cli/key_script.h"

namespace tally::cli {
namespace {

// A compact picture of the steps: characters as themselves, keys as <Name>, actions as [Name].
std::string Describe(const TKeyScript& script) {
    static const char* const kNames[] = {"Enter", "Esc", "Tab", "Backspace", "Delete", "Up", "Down",
                                         "Left", "Right", "Home", "End", "PgUp", "PgDn", "Divide"};
    std::string out;
    for (const TKeyStep& step : script.Steps) {
        switch (step.StepKind) {
            case TKeyStep::Kind::Character: out += step.Character; break;
            case TKeyStep::Kind::Key: out += "<" + std::string(kNames[static_cast<int>(step.Key)]) + ">"; break;
            case TKeyStep::Kind::Action: out += "[" + step.Action + "]"; break;
        }
    }
    return out;
}

TEST(KeyScriptTest, ReadsCharactersKeysActionsAndEscapes) {
    struct Case {
        std::string keys;
        std::string steps;
    } const cases[] = {
        {"12+5\n", "12+5<Enter>"},
        {"12\r\n7\r", "12<Enter>7<Enter>"},
        {"{Up}{PgDn}{Esc}{Backspace}", "<Up><PgDn><Esc><Backspace>"},
        {"100{Divide}4", "100<Divide>4"},  // the numeric pad's divide key
        {"5[ZeroTotal]7", "5[ZeroTotal]7"},
        {"{{x}}[[y]]", "{x}[y]"},
        {"8\xC3\xB7" "2\xC3\x97" "3", "8\xF7" "2\xD7" "3"},  // UTF-8 divide and multiply signs
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keys);
        const TKeyScript script = ParseKeyScript(c.keys);
        EXPECT_EQ(script.Error, "");
        EXPECT_EQ(Describe(script), c.steps);
    }
}

TEST(KeyScriptTest, MalformedNotationIsReportedNotGuessed) {
    struct Case {
        std::string keys;
        std::string error;
    } const cases[] = {
        {"1{Enter", "unclosed \"{\" at character 2"},
        {"1{Return}", "unknown key {Return}"},
        {"[]", "empty action [] at character 1"},
        {"1}", "unmatched \"}\" at character 2"},
        {"1\xE2\x82\xAC" "\xE4\xB8\x80", "the keys hold a character that cannot be typed into a tape"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keys);
        EXPECT_EQ(ParseKeyScript(c.keys).Error, c.error);
    }
}

}  // namespace
}  // namespace tally::cli
