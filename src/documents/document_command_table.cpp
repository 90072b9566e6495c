#include "documents/document_command_table.h"

#include <algorithm>

#include "documents/cross_tape_commands.h"
#include "documents/file_document.h"
#include "engine/tape/calculator.h"

namespace tally {

namespace {

using Group = TDocumentCommandGroup;

TCrossTapeCommands& C(TTlyFile& document) { return document.Commands(); }

constexpr TDocumentCommand kCommands[] = {
    {"EnableMemory", Group::Parts, [](TTlyFile& d) { d.EnableMemory(true); }},
    {"DisableMemory", Group::Parts, [](TTlyFile& d) { d.EnableMemory(false); }},
    {"EnableSideTape", Group::Parts, [](TTlyFile& d) { d.EnableSide(true); }},
    {"DisableSideTape", Group::Parts, [](TTlyFile& d) { d.EnableSide(false); }},
    {"NewAuxTape", Group::Parts, [](TTlyFile& d) { d.AddAuxTape(); }},
    // The results table holds one table at most.
    {"EnableTable", Group::Parts,
     [](TTlyFile& d) {
         if (d.Tables().empty()) d.AddTableNamed();
     }},

    {"MemPlusEntry", Group::Memory, [](TTlyFile& d) { C(d).MemStoreEntry(false); }},
    {"MemMinusEntry", Group::Memory, [](TTlyFile& d) { C(d).MemStoreEntry(true); }},
    {"MemPlusEntryLink", Group::Memory, [](TTlyFile& d) { C(d).MemStoreEntryLink(false); }},
    {"MemMinusEntryLink", Group::Memory, [](TTlyFile& d) { C(d).MemStoreEntryLink(true); }},
    {"MemTotalToEntry", Group::Memory, [](TTlyFile& d) { C(d).MemTotalToEntry(); }},
    {"MemTotalToEntryLink", Group::Memory, [](TTlyFile& d) { C(d).MemTotalToEntryLink(); }},
    {"MemPlusTotal", Group::Memory, [](TTlyFile& d) { C(d).MemStoreTotal(false); }},
    {"MemMinusTotal", Group::Memory, [](TTlyFile& d) { C(d).MemStoreTotal(true); }},
    {"MemPlusTotalLock", Group::Memory, [](TTlyFile& d) { C(d).SetMemPlusTotalLock(true); }},
    {"MemPlusTotalUnlock", Group::Memory, [](TTlyFile& d) { C(d).SetMemPlusTotalLock(false); }},
    {"MemMinusTotalLock", Group::Memory, [](TTlyFile& d) { C(d).SetMemMinusTotalLock(true); }},
    {"MemMinusTotalUnlock", Group::Memory, [](TTlyFile& d) { C(d).SetMemMinusTotalLock(false); }},
    {"MemEntryToEntry", Group::Memory, [](TTlyFile& d) { C(d).MemEntryToEntry(); }},
    {"MemClear", Group::Memory, [](TTlyFile& d) { C(d).MemClear(); }},
    {"MemDeleteLine", Group::Memory, [](TTlyFile& d) { C(d).MemDeleteLine(); }},
    {"AutoAnnotMemTotalOn", Group::Memory, [](TTlyFile& d) { C(d).SetAutoAnnotateMemTotal(true); }},
    {"AutoAnnotMemTotalOff", Group::Memory, [](TTlyFile& d) { C(d).SetAutoAnnotateMemTotal(false); }},

    {"SetupForMemEntryToEntry", Group::Recall, [](TTlyFile& d) { C(d).SetupForMemEntryToEntry(); }},
    {"TeardownForMemEntryToEntry", Group::Recall, [](TTlyFile& d) { C(d).TeardownForMemEntryToEntry(); }},

    {"BeginSide", Group::SideTape, [](TTlyFile& d) { C(d).BeginSide(); }},
    {"EndSide", Group::SideTape, [](TTlyFile& d) { C(d).EndSide(); }},
    {"EndSideLink", Group::SideTape, [](TTlyFile& d) { C(d).EndSideLink(); }},
    {"CancelSide", Group::SideTape, [](TTlyFile& d) { C(d).CancelSide(); }},
    {"SideToEntry", Group::SideTape, [](TTlyFile& d) { C(d).SideToEntry(); }},
    {"SideToEntryLink", Group::SideTape, [](TTlyFile& d) { C(d).SideToEntryLink(); }},
    {"CopyToSide", Group::SideTape, [](TTlyFile& d) { C(d).CopyToSide(); }},
    {"CopyToSideLock", Group::SideTape, [](TTlyFile& d) { C(d).SetCopyToSideLock(true); }},
    {"CopyToSideUnlock", Group::SideTape, [](TTlyFile& d) { C(d).SetCopyToSideLock(false); }},

    {"CopyToTable", Group::Table, [](TTlyFile& d) { C(d).CopyToTable(); }},
    {"CopyToTableLock", Group::Table, [](TTlyFile& d) { C(d).SetCopyToTableLock(true); }},
    {"CopyToTableUnlock", Group::Table, [](TTlyFile& d) { C(d).SetCopyToTableLock(false); }},
    {"MoveLineUp", Group::Table, [](TTlyFile& d) { C(d).MoveInTable("MoveLineUp"); }},
    {"MoveLineDown", Group::Table, [](TTlyFile& d) { C(d).MoveInTable("MoveLineDown"); }},
    {"MoveColLeft", Group::Table, [](TTlyFile& d) { C(d).MoveInTable("MoveColLeft"); }},
    {"MoveColRight", Group::Table, [](TTlyFile& d) { C(d).MoveInTable("MoveColRight"); }},
};

}  // namespace

std::span<const TDocumentCommand> DocumentCommands() { return kCommands; }

const TDocumentCommand* FindDocumentCommand(std::string_view name) {
    const auto found = std::find_if(std::begin(kCommands), std::end(kCommands),
                                    [name](const TDocumentCommand& command) { return command.Name == name; });
    return found == std::end(kCommands) ? nullptr : found;
}

bool PerformDocumentCommand(TTlyFile& document, std::string_view name) {
    const TDocumentCommand* command = FindDocumentCommand(name);
    if (command == nullptr) return false;
    // The memory and side tape commands write numbers into a tape's entry, the one they are run
    // from or the one they come back to; they neither make nor remove tapes.
    const bool writesEntry = command->Group == TDocumentCommandGroup::Memory ||
                             command->Group == TDocumentCommandGroup::SideTape;
    const TCalculator* tapeBefore = &document.CurrentTape();
    const TCalculator::TFocusEntry before = tapeBefore->FocusEntry();
    command->Run(document);
    if (writesEntry) {
        TCalculator& tape = document.CurrentTape();
        tape.SelectEntryAfterCommand(&tape == tapeBefore ? before : TCalculator::TFocusEntry{});
    }
    document.RemoveBrokenLinksAfterEdit();
    document.Pages().Refresh();
    return true;
}

}  // namespace tally
