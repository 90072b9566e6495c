#pragma once
// A tape or the results table as an HTML 4.0 document: the page header, notes and title, then
// one table row per tape line or table row, then the file name footer, shaped by the same page
// layout choices as the printed page. Every text of the program reaches the page escaped and
// in UTF-8, which the document declares; file names, the system's bytes, are taken as UTF-8.
// The file is replaced only by a complete write.

#include <string>

#include "settings/atomic_file.h"

namespace tally {

class TCalculator;
class TResultsTable;
class TStMediator;
class TTapePageLayout;

// The tape with the page layout's print columns and tape choices; the lines up to the open
// line, which is left out. The footer names the file "FileMgr_GetVisibleFileName" answers on
// the bus (no footer without an answer). Answers why the file could not be written.
TFileResult WriteTapeHtml(const std::string& fileName, const TCalculator& tape, TTapePageLayout& layout,
                          const TStMediator* fileNameBus, const IFileCalls& calls = SystemFileCalls());

// The table's print columns and every row below its headings, with the page layout's table
// choices.
TFileResult WriteTableHtml(const std::string& fileName, const TResultsTable& table, const TTapePageLayout& layout,
                           const TStMediator* fileNameBus, const IFileCalls& calls = SystemFileCalls());

}  // namespace tally
