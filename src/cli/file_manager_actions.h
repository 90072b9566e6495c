#pragma once
// The file manager's commands as `tallyroll-cli tape` actions, by the window's event names:
//
//   [FileMgr_NewFile]                        a command without a value
//   [FileMgr_SpecifyTapeDecimalPlaces=3]     a number, text, or true/false
//   [FileMgr_PerformConfigureTapeAction=ShowLinks,true]   an action and its checked state
//   [FileMgr_SaveFileByNameAs=OLD|NEW]       two texts
//
// A command that answers writes "answer: <event>=<value>" to standard error, in order with the
// beeps and messages; a list answers its items separated by "; ".

#include <cstdio>
#include <string>
#include <string_view>

namespace tally {
class TStMediator;
}

namespace tally::cli {

bool IsFileManagerAction(std::string_view actionText);
// Why the action text cannot run (a command the tool cannot send, a missing or unusable
// value); empty when it can.
std::string CheckFileManagerAction(std::string_view actionText);
// Sends an action that passed CheckFileManagerAction on the application bus.
void RunFileManagerAction(TStMediator& applicationBus, std::string_view actionText, std::FILE* err);

}  // namespace tally::cli
