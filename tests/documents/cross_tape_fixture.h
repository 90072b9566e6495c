#pragma once
// A document driven as a user drives it: keys typed into the tape shown, and document commands
// by name in square brackets, with the requests each posts run after it.

#include <string>
#include <string_view>
#include <vector>

#include "document_test_fixture.h"
#include "documents/cross_tape_commands.h"
#include "documents/document_command_table.h"

namespace tally::test {

using Rows = std::vector<std::string>;

class CrossTapeTest : public DocumentTest {
protected:
    // Characters and "\n" are typed; {Up}, {Down}, {Tab}, {Esc} and {Backspace} press those keys, {Go3} goes
    // to line 3; [Name] runs a document command.
    void Script(std::string_view script) {
        while (!script.empty()) {
            const char open = script.front();
            if (open == '[' || open == '{') {
                const std::size_t end = script.find(open == '[' ? ']' : '}');
                ASSERT_NE(end, std::string_view::npos) << script;
                const std::string name(script.substr(1, end - 1));
                script.remove_prefix(end + 1);
                if (open == '[') {
                    ASSERT_TRUE(PerformDocumentCommand(doc_, name)) << name;
                } else {
                    PressKey(name);
                }
                RunRequests();
                continue;
            }
            const std::size_t next = script.find_first_of("[{");
            Type(doc_.CurrentTape(), script.substr(0, next));
            script.remove_prefix(next == std::string_view::npos ? script.size() : next);
        }
    }
    void PressKey(std::string_view name) {
        TCalculator& tape = doc_.CurrentTape();
        if (name == "Up") tape.KeyDown(TTapeKey::Up);
        if (name == "Down") tape.KeyDown(TTapeKey::Down);
        if (name == "Tab") tape.KeyDown(TTapeKey::Tab);
        if (name == "Esc" && !tape.KeyDown(TTapeKey::Other)) tape.KeyPress(TapeChar::kEscape);
        if (name == "Backspace" && !tape.KeyDown(TTapeKey::Other)) tape.KeyPress(TapeChar::kBackspace);
        if (name.starts_with("Go")) tape.GoToLineText(name.substr(2));
    }
    void RunRequests() {
        queue_.Drain([this](const TDeferredRequest& request) { doc_.RunRequest(request); });
        doc_.RemoveBrokenLinksAfterEdit();
    }
    // Each line as "indicator|entries", and with its annotation when it has one.
    static Rows Lines(const TCalculator* tape) {
        Rows rows;
        if (tape == nullptr) return rows;
        const TLineStore& lines = tape->Lines();
        for (LineIndex line = 0; line < lines.LineCount(); ++line) {
            std::string row = std::string(lines.Indicator(line)) + "|" + std::string(lines.Entries(line));
            if (!lines.Annotations(line).empty()) row += "|" + std::string(lines.Annotations(line));
            rows.push_back(row);
        }
        return rows;
    }
    TCrossTapeCommands& Commands() { return doc_.Commands(); }
};

}  // namespace tally::test
