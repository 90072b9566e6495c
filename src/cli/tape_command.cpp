// tallyroll-cli tape: types keys into the tapes of a new or opened headless document (the same
// document the window shows, opened and saved through the same file manager), prints its tapes
// and table, and may save it.

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <memory>
#include <optional>
#include <utility>
#include <string>
#include <vector>

#include "cli/cli_command.h"
#include "cli/document_actions.h"
#include "cli/file_manager_actions.h"
#include "cli/key_script.h"
#include "cli/tape_actions.h"
#include "cli/tape_print.h"
#include "cli/tape_show.h"
#include "cli/tape_table.h"
#include "documents/file_document.h"
#include "documents/file_manager.h"
#include "documents/posted_requests.h"
#include "engine/tape/calculator.h"
#include "foundation/event_names.h"
#include "foundation/mediator.h"
#include "foundation/notifications/notifier.h"
#include "foundation/numbers/format_settings.h"
#include "foundation/text_encoding.h"
#include "links/link_manager.h"
#include "platform/clipboard.h"
#include "platform/deferred_requests.h"
#include "platform/headless_notification_platform.h"
#include "settings/appl_control_data.h"
#include "settings/atomic_file.h"
#include "settings/settings_storage.h"
#include "table/table_manager.h"

namespace tally::cli {

namespace {

constexpr std::string_view kName = "tape";

constexpr std::string_view kUsage =
    "usage: tallyroll-cli tape [--keys TEXT] [--option 1..5] [--decimals N]\n"
    "                          [--rounding up|even] [--total-type DE|T2|T3]\n"
    "                          [--columns LIST] [--decimal-separator S] [--thousand-separator S]\n"
    "                          [--show WHAT] [--answer ok|cancel] [--pdf FILE] [--html FILE]\n"
    "                          [--png-pages DIR]\n"
    "                          [--tape main|memory|side] [--item-counts LIST]\n"
    "                          [--group-display SL|ST] [--grand-display SL|GT|ST]\n"
    "                          [--open FILE] [--save FILE] [--export-table FILE]\n"
    "                          [--settings FILE]\n"
    "\n"
    "Types keys into the tapes of a new document (or of the one --open reads) and prints a tape:\n"
    "a line with the headings of the shown columns, then one line per tape line, cells separated\n"
    "by tabs. Each refused key's explanation (\"beep: ...\") and each message list shown\n"
    "(\"message: ...\") go to standard error, in order.\n"
    "\n"
    "  --keys TEXT              the keys (default: read from standard input). Every character\n"
    "                           is typed as itself and a newline is Enter; {Enter}, {Esc}, {Tab},\n"
    "                           {Backspace}, {Delete}, {Up}, {Down}, {Left}, {Right}, {Home},\n"
    "                           {End}, {PgUp}, {PgDn}, {Divide} (the numeric pad's divide\n"
    "                           key) and {SelectAll} (the whole cell selected) name keys;\n"
    "                           [Action] runs an edit action:\n"
    "                           ZeroTotal, DeleteLine, InsertLine, ClearEntry, EraseTape,\n"
    "                           DeleteSeries, InsertNewSeries, InsertNewEmbeddedSeries,\n"
    "                           DeleteEmbeddedSeries, EmptyEmbeddedSeries, SortSmallToLarge,\n"
    "                           SortLargeToSmall, CopyAsLinkSource, PasteAsLinkDest, Unlink,\n"
    "                           LineCopy, SeriesCopy, EmbeddedSeriesCopy, TapeCopy,\n"
    "                           LineCut, SeriesCut, EmbeddedSeriesCut, TapeCut, LinePaste,\n"
    "                           SeriesPaste, EmbeddedSeriesPaste, TapePaste,\n"
    "                           the document actions EnableMemory, DisableMemory, EnableSideTape,\n"
    "                           DisableSideTape, EnableTable, NewAuxTape=LABEL (the next auxiliary\n"
    "                           tape, shown), RemoveAuxTape=NAME, View=NAME (shows \"Tape\",\n"
    "                           \"Memory\", \"Side Tape\", \"Aux A\", \"Table A\"; keys then go to the\n"
    "                           visible tape), the memory functions MemPlusEntry, MemMinusEntry,\n"
    "                           MemPlusEntryLink, MemMinusEntryLink, MemTotalToEntry,\n"
    "                           MemTotalToEntryLink, MemPlusTotal, MemMinusTotal, MemPlusTotalLock,\n"
    "                           MemPlusTotalUnlock, MemMinusTotalLock, MemMinusTotalUnlock,\n"
    "                           MemEntryToEntry, MemClear, MemDeleteLine, AutoAnnotMemTotalOn,\n"
    "                           AutoAnnotMemTotalOff, the recall of a memory entry\n"
    "                           SetupForMemEntryToEntry (shows the memory tape to pick a line)\n"
    "                           and TeardownForMemEntryToEntry (back; then MemEntryToEntry),\n"
    "                           the side tape functions BeginSide, EndSide, EndSideLink,\n"
    "                           CancelSide, SideToEntry, SideToEntryLink, CopyToSide,\n"
    "                           CopyToSideLock, CopyToSideUnlock, the table functions\n"
    "                           CopyToTable, CopyToTableLock, CopyToTableUnlock, MoveLineUp,\n"
    "                           MoveLineDown, MoveColLeft, MoveColRight (a lock runs its command\n"
    "                           each time a tape makes a total at its end),\n"
    "                           GroupTotalRangeCopy, GroupTotalRangeCut, GroupTotalRangePaste,\n"
    "                           GrandTotalRangeCopy, GrandTotalRangeCut, GrandTotalRangePaste,\n"
    "                           SelCut, SelCopy, SelPaste, SelDelete (the selected text of the\n"
    "                           focus cell),\n"
    "                           and on the series at the focus SpecifyTapeDecimalPlaces=N,\n"
    "                           SpecifyTapeTotalType=DE|T2|T3, SetRoundingMethod=up|even;\n"
    "                           [Table:Name] runs a command of the results table (which any\n"
    "                           [Table:...] action, --columns table or --show naming the table\n"
    "                           enables from the start): Cell=C,R,\n"
    "                           Decimals=N, CopyToTable, TableDeleteLine, TableDeleteCol,\n"
    "                           EmptyTable, ResetTable, SortSmallToLarge, SortLargeToSmall,\n"
    "                           EditColHeading, CopyCellToClip, Paste, MoveLineUp, MoveLineDown,\n"
    "                           MoveColLeft, MoveColRight, SetColTotalTypeDec|HM|HMS,\n"
    "                           ShowColTotal=on|off, EnableAnnots=on|off, ShowLineNums=on|off;\n"
    "                           [FileMgr_Event] or [FileMgr_Event=VALUE] sends the window's\n"
    "                           command of that name to the file manager (VALUE a text, a\n"
    "                           number, true|false, ACTION,true|false, or OLD|NEW); its answer\n"
    "                           goes to standard error as \"answer: FileMgr_Event=VALUE\";\n"
    "                           {{ }} [[ ]] type a brace or bracket. A number typed into the\n"
    "                           Table Columns cell ({Tab} reaches it with --columns table)\n"
    "                           assigns the line to that table column once the cell is left.\n"
    "                           A quick link, \"l\" and a line number typed as an entry (l3),\n"
    "                           links the entry to that line. A quick copy, \"c\" and a line\n"
    "                           number (c3), copies that line into the entry through the\n"
    "                           clipboard, where the line stays.\n"
    "  --option 1..5            data entry option: 1 manual start, 2 auto start, 3 Enter key\n"
    "                           starts, 4 auto embed, 5 adding machine (default: the settings'\n"
    "                           default data entry option, 1)\n"
    "  --decimals N             decimal places of the first series, 0 to 15 (default: the\n"
    "                           settings' start-up decimal places, 2)\n"
    "  --rounding up|even       rounding method (default: the settings' start-up rounding\n"
    "                           method, up)\n"
    "  --total-type DE|T2|T3    total type of the first series (default DE)\n"
    "  --columns LIST           comma-separated columns to show besides Entries and the\n"
    "                           indicator: line, links (the lines a line is linked with),\n"
    "                           running-total, table, annotations\n"
    "  --decimal-separator S    decimal separator (default \".\", or \",\" when the thousand\n"
    "                           separator is \".\")\n"
    "  --thousand-separator S   thousand separator (default \",\", or \".\" when the decimal\n"
    "                           separator is \",\")\n"
    "  --show WHAT              what to print: main (the main tape), memory, side, aux:NAME (an\n"
    "                           auxiliary tape by its name or label), table (tab-separated, as\n"
    "                           the table text export writes it; nothing while it has no data),\n"
    "                           all (every tape, then the table, each as a block that starts\n"
    "                           with \"# \" and its name and ends with an empty line), tape (the\n"
    "                           tape --tape names) or tape,table; default: tape\n"
    "  --answer ok|cancel       the answer to every confirmation (\"confirm: ...\" on standard\n"
    "                           error; default cancel)\n"
    "  --pdf FILE               print what --show names (one tape, or the table) into a PDF\n"
    "                           file instead, as File > Print Tape To Printer prints it: with\n"
    "                           the document's page layout (the file's own when opened), on\n"
    "                           the locale's paper size, its footer naming \"Untitled(1)\" or the\n"
    "                           file opened or saved (not available in a build without Qt)\n"
    "  --png-pages DIR          write what --show names as the print preview draws it, zoomed\n"
    "                           (96 dots per inch): DIR/page-1.png, DIR/page-2.png, ... (DIR is\n"
    "                           made when missing; other files in it are left alone), each\n"
    "                           file's name on standard output (not available without Qt)\n"
    "  --html FILE              write the tape --show names (not all nor tape,table), or with\n"
    "                           --show table the table, into an HTML file instead, with the\n"
    "                           document's page layout (an opened file's own); the footer names\n"
    "                           the document's file\n"
    "  --item-counts LIST       comma-separated totals that show their item count: series,\n"
    "                           group, grand (default: as the settings say, none)\n"
    "  --group-display SL|ST    how a new group total is shown: single line or itemized by\n"
    "                           series totals (default: as the settings say, single line)\n"
    "  --grand-display SL|GT|ST how a new grand total is shown: single line, itemized by group\n"
    "                           totals or by series totals (default: as the settings say,\n"
    "                           single line)\n"
    "  --tape main|memory|side  the tape typed on (default main), enabled and shown first: the\n"
    "                           memory tape refuses typed entries; the side tape knows only\n"
    "                           the command letters m and e\n"
    "  --clipboard-in FILE      start with the file's text on the clipboard (the copy and paste\n"
    "                           actions use an in-memory clipboard)\n"
    "  --clipboard-out FILE     write the clipboard's text into the file at the end\n"
    "  --open FILE              start from the document in the .tly file instead of a new one;\n"
    "                           --option, --decimals, --rounding, --total-type and --item-counts\n"
    "                           are then ignored (the file has its own), the others apply\n"
    "  --save FILE              save the document into the .tly file after the keys, before\n"
    "                           printing\n"
    "  --export-table FILE      write the results table (enabled from the start) into the text\n"
    "                           file after the keys, before printing: tab-separated, UTF-8, as\n"
    "                           File > Export Table To Text File writes it; a table without data\n"
    "                           writes no file and ends with status 1\n"
    "  --settings FILE          take the application settings (general options: start-up\n"
    "                           decimal places and rounding, automatic decimal places and total\n"
    "                           type, item counts, ...) from FILE, a tallyroll.ini; without it\n"
    "                           the tool works with the settings' defaults. The user's own\n"
    "                           settings file is never read, and no settings file is written\n"
    "Exit status: 0 typed and printed, 1 the document could not be opened or saved (by --save or\n"
    "by a command such as [FileMgr_SaveCurrentFile]), the PDF, a PNG page, the HTML file, a\n"
    "clipboard file, the settings file or the table's text file could not be read or written,\n"
    "the table had nothing to export, the page is too narrow to print on (\"message: The page\n"
    "width is too small ...\") or the document lacks the part to show, 2 wrong arguments.\n";

struct TTapeOptions {
    std::string_view Keys;
    bool HaveKeys = false;
    // Unset, these come from the application settings.
    std::optional<int> Option;
    std::optional<int> Decimals;
    std::optional<TRoundingMethod> Rounding;
    std::string_view TotalType = "DE";
    std::vector<TTapeColumn> Columns;
    std::string_view DecimalSep;
    std::string_view ThousandSep;
    bool HaveDecimal = false;
    bool HaveThousand = false;
    std::string_view PdfFile;
    bool HavePdf = false;
    std::string_view PngFolder;
    std::string_view HtmlFile;
    TShowChoice Show;
    TMessageBoxAnswer Answer = TMessageBoxAnswer::Cancel;
    std::string_view TapeKind = "main";
    bool HaveItemCounts = false;
    bool SeriesItemCount = false;
    bool GroupItemCount = false;
    bool GrandItemCount = false;
    std::string_view GroupDisplay;
    std::string_view GrandDisplay;
    std::string_view ClipboardIn;
    std::string_view ClipboardOut;
    std::string_view OpenFile;
    std::string_view SaveFile;
    std::string_view ExportTableFile;
    std::string_view SettingsFile;
};

// Clipboard files hold one record at most: a whole tape of a million lines stays well below.
constexpr std::size_t kMaxClipboardFileSize = std::size_t{256} << 20;

bool ParseInt(std::string_view text, int low, int high, std::optional<int>& value) {
    int number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc{} || end != text.data() + text.size() || number < low || number > high) return false;
    value = number;
    return true;
}

// "line,running-total" and the like; false on an unknown name.
bool ParseColumns(std::string_view list, std::vector<TTapeColumn>& columns, std::string& bad) {
    while (!list.empty()) {
        const std::size_t comma = list.find(',');
        const std::string_view name = list.substr(0, comma);
        if (name == "line") {
            columns.push_back(TTapeColumn::Line);
        } else if (name == "links") {
            columns.push_back(TTapeColumn::Links);
        } else if (name == "running-total") {
            columns.push_back(TTapeColumn::RunningTotal);
        } else if (name == "table") {
            columns.push_back(TTapeColumn::TableColumns);
        } else if (name == "annotations") {
            columns.push_back(TTapeColumn::Annotations);
        } else {
            bad = name;
            return false;
        }
        if (comma == std::string_view::npos) break;
        list.remove_prefix(comma + 1);
    }
    return true;
}

// Returns kExitOk, or the usage error's status.
// "series", "group" and "grand", separated by commas.
bool ParseItemCounts(std::string_view list, TTapeOptions& options) {
    options.HaveItemCounts = true;
    while (!list.empty()) {
        const std::size_t comma = list.find(',');
        const std::string_view name = list.substr(0, comma);
        if (name == "series") {
            options.SeriesItemCount = true;
        } else if (name == "group") {
            options.GroupItemCount = true;
        } else if (name == "grand") {
            options.GrandItemCount = true;
        } else {
            return false;
        }
        list = comma == std::string_view::npos ? std::string_view{} : list.substr(comma + 1);
    }
    return true;
}

int ParseArguments(TCommandArgs args, TCliIo& io, TTapeOptions& options) {
    for (std::size_t i = 0; i < args.size();) {
        const std::string_view arg = args[i];
        std::string_view value;
        bool missing = false;
        bool valid = true;
        if (TakeOption(args, i, "--keys", value, missing)) {
            options.Keys = value;
            options.HaveKeys = true;
        } else if (TakeOption(args, i, "--option", value, missing)) {
            valid = missing || ParseInt(value, DataEntryOption::kManualStart, DataEntryOption::kAddingMachine,
                                        options.Option);
        } else if (TakeOption(args, i, "--decimals", value, missing)) {
            valid = missing || ParseInt(value, 0, 15, options.Decimals);
        } else if (TakeOption(args, i, "--rounding", value, missing)) {
            valid = missing || value == "up" || value == "even";
            if (valid) options.Rounding = value == "even" ? TRoundingMethod::Even : TRoundingMethod::Up;
        } else if (TakeOption(args, i, "--total-type", value, missing)) {
            valid = missing || value == "DE" || value == "T2" || value == "T3";
            options.TotalType = value;
        } else if (TakeOption(args, i, "--columns", value, missing)) {
            std::string bad;
            if (!missing && !ParseColumns(value, options.Columns, bad)) {
                return UsageError(io, kName, "unknown column '" + bad + "'");
            }
        } else if (TakeOption(args, i, "--show", value, missing)) {
            valid = missing || ParseShowChoice(value, options.Show);
        } else if (TakeOption(args, i, "--answer", value, missing)) {
            valid = missing || value == "ok" || value == "cancel";
            options.Answer = value == "ok" ? TMessageBoxAnswer::Ok : TMessageBoxAnswer::Cancel;
        } else if (TakeOption(args, i, "--item-counts", value, missing)) {
            valid = missing || ParseItemCounts(value, options);
        } else if (TakeOption(args, i, "--group-display", value, missing)) {
            valid = missing || value == "SL" || value == "ST";
            options.GroupDisplay = value;
        } else if (TakeOption(args, i, "--grand-display", value, missing)) {
            valid = missing || value == "SL" || value == "GT" || value == "ST";
            options.GrandDisplay = value;
        } else if (TakeOption(args, i, "--tape", value, missing)) {
            valid = missing || value == "main" || value == "memory" || value == "side";
            options.TapeKind = value;
        } else if (TakeOption(args, i, "--decimal-separator", value, missing)) {
            options.DecimalSep = value;
            options.HaveDecimal = true;
        } else if (TakeOption(args, i, "--pdf", value, missing)) {
            options.PdfFile = value;
            options.HavePdf = true;
            valid = missing || !value.empty();
        } else if (TakeOption(args, i, "--png-pages", value, missing)) {
            options.PngFolder = value;
            valid = missing || !value.empty();
        } else if (TakeOption(args, i, "--html", value, missing)) {
            options.HtmlFile = value;
            valid = missing || !value.empty();
        } else if (TakeOption(args, i, "--clipboard-in", value, missing)) {
            options.ClipboardIn = value;
            valid = missing || !value.empty();
        } else if (TakeOption(args, i, "--clipboard-out", value, missing)) {
            options.ClipboardOut = value;
            valid = missing || !value.empty();
        } else if (TakeOption(args, i, "--open", value, missing)) {
            options.OpenFile = value;
            valid = missing || !value.empty();
        } else if (TakeOption(args, i, "--save", value, missing)) {
            options.SaveFile = value;
            valid = missing || !value.empty();
        } else if (TakeOption(args, i, "--export-table", value, missing)) {
            options.ExportTableFile = value;
            valid = missing || !value.empty();
        } else if (TakeOption(args, i, "--settings", value, missing)) {
            options.SettingsFile = value;
            valid = missing || !value.empty();
        } else if (TakeOption(args, i, "--thousand-separator", value, missing)) {
            options.ThousandSep = value;
            options.HaveThousand = true;
        } else {
            return UsageError(io, kName, "unknown argument '" + std::string(arg) + "'");
        }
        if (missing) return UsageError(io, kName, "option '" + std::string(arg) + "' needs a value");
        if (!valid) return UsageError(io, kName, "invalid value for '" + std::string(arg) + "'");
    }
    if (!options.HtmlFile.empty() && options.HavePdf) return UsageError(io, kName, "--html and --pdf exclude each other");
    if (!options.HtmlFile.empty() && !NamesOnePart(options.Show)) {
        return UsageError(io, kName, "--html writes one tape or the table, not --show all nor tape,table");
    }
    if ((options.HavePdf || !options.PngFolder.empty()) && !NamesOnePart(options.Show)) {
        return UsageError(io, kName, "--pdf and --png-pages print one tape or the table, not --show all nor tape,table");
    }
    return kExitOk;
}

// Writes each refusal's explanation and each message list shown, in the order they happen.
class TCliNotificationPlatform : public HeadlessNotificationPlatform {
public:
    TCliNotificationPlatform(std::FILE* err, TMessageBoxAnswer answer) : err_(err), answer_(answer) {}

    void Beep() override {
        HeadlessNotificationPlatform::Beep();
        // The beep that ends showing a message list belongs to that list.
        if (listShown_) {
            listShown_ = false;
            return;
        }
        WriteLine(err_, "beep: " + Notifier().LastBeepExplanation());
    }
    void SetNotificationWindowLines(const std::vector<std::string>& lines) override {
        HeadlessNotificationPlatform::SetNotificationWindowLines(lines);
        pendingLines_ = lines;
    }
    void ShowNotificationWindowAt(TPoint topLeft) override {
        HeadlessNotificationPlatform::ShowNotificationWindowAt(topLeft);
        for (const std::string& line : pendingLines_) WriteLine(err_, "message: " + line);
        pendingLines_.clear();
        listShown_ = true;
    }
    TMessageBoxAnswer AskMessageBox(const std::string& text, const std::string& caption, TMessageBoxButtons buttons,
                                    TMessageBoxIcon icon) override {
        std::string shown;
        for (const char c : text) {
            if (c != '\r' && c != '\n') shown += c;
        }
        // A box with one button only informs; the others ask, and get the --answer given.
        if (buttons == TMessageBoxButtons::Ok) {
            WriteLine(err_, "message: " + shown);
        } else {
            WriteLine(err_, "confirm: " + shown);
            if (ButtonsAllow(buttons, answer_)) QueueAnswer(answer_);
        }
        return HeadlessNotificationPlatform::AskMessageBox(text, caption, buttons, icon);
    }

private:
    std::FILE* err_;
    TMessageBoxAnswer answer_;
    std::vector<std::string> pendingLines_;
    bool listShown_ = false;
};

// Moves the editor's caret as the editor does for keys the tape leaves to it.
void MoveCaret(TEntryEditor& editor, TNamedKey key) {
    const int size = static_cast<int>(editor.Text.size());
    int caret = editor.SelStart;
    if (key == TNamedKey::Left) caret = std::max(caret - 1, 0);
    if (key == TNamedKey::Right) caret = std::min(caret + 1, size);
    if (key == TNamedKey::Home) caret = 0;
    if (key == TNamedKey::End) caret = size;
    editor.SelStart = caret;
    editor.SelLength = 0;
}

// A named key: first the key-down handler, then the character it types, if any.
void PressKey(TCalculator& tape, TNamedKey key) {
    switch (key) {
        case TNamedKey::Enter:
            if (!tape.KeyDown(TTapeKey::Enter)) tape.KeyPress(TapeChar::kEnter);
            break;
        case TNamedKey::Escape:
            if (!tape.KeyDown(TTapeKey::Other)) tape.KeyPress(TapeChar::kEscape);
            break;
        case TNamedKey::Backspace:
            if (!tape.KeyDown(TTapeKey::Other)) tape.KeyPress(TapeChar::kBackspace);
            break;
        case TNamedKey::Tab: tape.KeyDown(TTapeKey::Tab); break;
        case TNamedKey::Delete: tape.KeyDown(TTapeKey::Delete); break;
        case TNamedKey::Up: tape.KeyDown(TTapeKey::Up); break;
        case TNamedKey::Down: tape.KeyDown(TTapeKey::Down); break;
        case TNamedKey::PageUp: tape.KeyDown(TTapeKey::PageUp); break;
        case TNamedKey::PageDown: tape.KeyDown(TTapeKey::PageDown); break;
        case TNamedKey::Divide:
            if (!tape.KeyDown(TTapeKey::NumPadDivide)) tape.KeyPress('/');
            break;
        case TNamedKey::Left:
            if (!tape.KeyDown(TTapeKey::Left)) MoveCaret(tape.Editor(), key);
            break;
        case TNamedKey::Right:
            if (!tape.KeyDown(TTapeKey::Right)) MoveCaret(tape.Editor(), key);
            break;
        case TNamedKey::Home:
        case TNamedKey::End: MoveCaret(tape.Editor(), key); break;
        case TNamedKey::SelectAll:
            tape.Editor().SelStart = 0;
            tape.Editor().SelLength = static_cast<int>(tape.Editor().Text.size());
            break;
    }
}

std::string ReadAll(std::FILE* in) {
    std::string text;
    char buffer[4096];
    std::size_t count = 0;
    while ((count = std::fread(buffer, 1, sizeof buffer, in)) > 0) text.append(buffer, count);
    return text;
}

// The options reach the typed tape; the shown columns reach every tape of the document, as
// given (the document's own choice would add line numbers to links). An opened document keeps
// its file's own settings.
void SetUpTapes(TTlyFile& document, TCalculator& tape, const TTapeOptions& options) {
    for (TCalculator* each : document.EnabledTapes()) {
        for (const TTapeColumn column : options.Columns) each->SetColumnShown(column, true);
    }
    document.LinkManager().UpdateLinksDisplay();
    if (!options.OpenFile.empty()) return;
    if (options.Rounding) document.SetRoundingMethod(*options.Rounding);
    if (options.Option) tape.SetDataEntryOption(*options.Option);
    if (options.Decimals) tape.SetOpenSeriesDecimalPlaces(*options.Decimals);
    tape.SetOpenSeriesTotalType(options.TotalType);
    if (options.HaveItemCounts) {
        tape.SetShowSeriesTotalItemCount(options.SeriesItemCount);
        tape.SetShowGroupTotalItemCount(options.GroupItemCount);
        tape.SetShowGrandTotalItemCount(options.GrandItemCount);
    }
    if (!options.GroupDisplay.empty()) tape.SetGroupTotalCreationDisplayState(options.GroupDisplay);
    if (!options.GrandDisplay.empty()) tape.SetGrandTotalCreationDisplayState(options.GrandDisplay);
    tape.ChooseCurrentSeries();
}

// A [Table:...] action, the Table Columns column, a --show naming the table or --export-table
// wants the table from the start.
bool WantsTable(const TKeyScript& script, const TTapeOptions& options) {
    using Kind = TShowChoice::Kind;
    if (options.Show.What == Kind::Table || options.Show.What == Kind::TypedAndTable) return true;
    if (!options.ExportTableFile.empty()) return true;
    if (std::find(options.Columns.begin(), options.Columns.end(), TTapeColumn::TableColumns) != options.Columns.end()) {
        return true;
    }
    return std::any_of(script.Steps.begin(), script.Steps.end(), [](const TKeyStep& step) {
        return step.StepKind == TKeyStep::Kind::Action && IsTableAction(step.Action);
    });
}

// The tape --tape names in the document; its main tape when the document lacks that part.
TCalculator& TypedTape(TTlyFile& document, const TTapeOptions& options) {
    if (options.TapeKind == "memory" && document.MemoryTape() != nullptr) return *document.MemoryTape();
    if (options.TapeKind == "side" && document.SideTape() != nullptr) return *document.SideTape();
    return document.MainTape();
}

// Writes the current table's text file; false (and the reason on standard error) when it
// cannot be written or there is nothing to export.
bool ExportTable(TTlyFile& document, std::string_view fileName, std::FILE* err) {
    const TResultsTable* table = document.TableManager().CurrentTable();
    if (const std::string refusal = TableExportRefusal(table); !refusal.empty()) {
        WriteLine(err, "tallyroll-cli tape: " + refusal);
        return false;
    }
    const TFileResult written = table->ExportAsTextFile(std::string(fileName));
    if (!written) WriteLine(err, CannotExportTableMessage(fileName, written.Reason));
    return written.Ok;
}

int RunTape(TCommandArgs args, TCliIo& io) {
    TTapeOptions options;
    if (const int status = ParseArguments(args, io, options); status != kExitOk) return status;
    std::string_view decimalSep = options.DecimalSep;
    std::string_view thousandSep = options.ThousandSep;
    if (!options.HaveDecimal) decimalSep = (options.HaveThousand && thousandSep == ".") ? "," : ".";
    if (!options.HaveThousand) thousandSep = (decimalSep == ",") ? "." : ",";
    if (!SetFormatSeparatorsUtf8(decimalSep, thousandSep)) {
        std::fputs("tallyroll-cli tape: unusable separators; using \".\" and \",\"\n", io.Err);
    }

    const std::string keys = options.HaveKeys ? std::string(options.Keys) : ReadAll(stdin);
    const TKeyScript script = ParseKeyScript(keys);
    if (!script.Error.empty()) return UsageError(io, kName, script.Error);
    for (const TKeyStep& step : script.Steps) {
        if (step.StepKind != TKeyStep::Kind::Action) continue;
        const std::string error = IsFileManagerAction(step.Action) ? CheckFileManagerAction(step.Action)
                                  : IsTableAction(step.Action)      ? CheckTableAction(step.Action)
                                  : IsDocumentAction(step.Action)  ? CheckDocumentAction(step.Action)
                                                                   : CheckTapeAction(step.Action);
        if (!error.empty()) {
            return UsageError(io, kName, error);
        }
    }

    TCliNotificationPlatform platform(io.Err, options.Answer);
    TInstalledNotifier notifier(platform);
    TDeferredRequestQueue queue;
    // The application bus, served as the window serves it as far as the tool needs: the
    // documents' deferred requests.
    TStMediator applicationBus;
    ServePostedRequests(applicationBus, queue, events::UI_PostMainFormWindowsMsg);
    // The application settings, as the window serves them: their defaults, or the --settings file.
    std::optional<TSettingsPaths> settingsPaths;
    if (!options.SettingsFile.empty()) {
        const TFileText in = ReadWholeFile(std::string(options.SettingsFile));
        if (!in.Exists || !in.Result) {
            WriteLine(io.Err, "cannot read settings file '" + FileNameText(options.SettingsFile) + "'" +
                                  (in.Result ? std::string() : ": " + in.Result.Reason));
            return kExitFailure;
        }
        settingsPaths.emplace();
        settingsPaths->SettingsFile = std::string(options.SettingsFile);
    }
    const TSettingsStorage settingsStorage(settingsPaths);
    TApplControlData settings(&applicationBus, settingsStorage);
    if (settingsPaths) settings.Load();
    HeadlessClipboard clipboard;
    if (!options.ClipboardIn.empty()) {
        const TFileText in = ReadWholeFile(std::string(options.ClipboardIn), kMaxClipboardFileSize);
        if (!in.Exists || !in.Result) {
            WriteLine(io.Err, "cannot read clipboard file '" + FileNameText(options.ClipboardIn) + "'" +
                                  (in.Result ? std::string() : ": " + in.Result.Reason));
            return kExitFailure;
        }
        clipboard.SetText(in.Text);
    }
    TFileManagerSetup managerSetup;
    managerSetup.ApplicationBus = &applicationBus;
    managerSetup.Factory = [&clipboard](TTlyFileSetup setup) {
        setup.Clipboard = &clipboard;
        return std::make_unique<TTlyFile>(std::move(setup));
    };
    TFileManager files(std::move(managerSetup));
    if (!options.OpenFile.empty()) {
        if (const std::string failure = files.OpenFileQuietly(std::string(options.OpenFile)); !failure.empty()) {
            WriteLine(io.Err, failure);
            return kExitFailure;
        }
    }
    TTlyFile& first = files.Visible();
    if (options.TapeKind == "memory") first.EnableMemory(true);
    if (options.TapeKind == "side") first.EnableSide(true);
    TCalculator& typedTape = TypedTape(first, options);
    first.ShowTape(typedTape);
    if (WantsTable(script, options) && first.Tables().empty()) first.AddTableNamed();
    SetUpTapes(first, typedTape, options);
    // The window's own requests (its width, ...) have nothing to do here. The file manager's
    // commands may open, switch and close documents: each step acts on the visible one.
    const auto run = [&files](const TDeferredRequest& request) { files.Visible().RunRequest(request); };
    for (const TKeyStep& step : script.Steps) {
        TTlyFile& document = files.Visible();
        TCalculator& tape = document.CurrentTape();
        switch (step.StepKind) {
            case TKeyStep::Kind::Character: tape.KeyPress(step.Character); break;
            case TKeyStep::Kind::Key: PressKey(tape, step.Key); break;
            case TKeyStep::Kind::Action:
                if (IsFileManagerAction(step.Action)) {
                    RunFileManagerAction(applicationBus, step.Action, io.Err);
                } else if (IsTableAction(step.Action)) {
                    RunTableAction(document.TableManager(), step.Action);
                } else if (IsDocumentAction(step.Action)) {
                    RunDocumentAction(document, step.Action, io.Err);
                } else {
                    RunTapeAction(tape, document.LinkManager(), step.Action);
                    document.AfterEditAction();
                }
                break;
        }
        queue.Drain(run);
        files.Visible().RemoveBrokenLinksAfterEdit();
    }
    TTlyFile& document = files.Visible();
    if (!options.ClipboardOut.empty()) {
        const TFileResult written = WriteFileAtomically(std::string(options.ClipboardOut), clipboard.GetText());
        if (!written) {
            WriteLine(io.Err, "cannot write clipboard file '" + FileNameText(options.ClipboardOut) + "': " +
                                  written.Reason);
            return kExitFailure;
        }
    }
    if (!options.SaveFile.empty()) {
        if (const std::string failure = files.SaveFileAs(document, std::string(options.SaveFile)); !failure.empty()) {
            WriteLine(io.Err, failure);
            return kExitFailure;
        }
    }
    if (!options.ExportTableFile.empty() && !ExportTable(document, options.ExportTableFile, io.Err)) {
        return kExitFailure;
    }
    // A save or export that a command asked for and that did not happen fails the run, once
    // the rest has been done.
    const int status = files.WritesNotDone() == 0 ? kExitOk : kExitFailure;
    if (!options.HtmlFile.empty()) {
        return WriteShownHtml(document, options.Show, TypedTape(document, options), applicationBus,
                              std::string(options.HtmlFile), io.Err)
                   ? status
                   : kExitFailure;
    }
    if (options.HavePdf || !options.PngFolder.empty()) {
        const int printed = PrintToFiles(applicationBus, document, options.Show, TypedTape(document, options),
                                         {options.PdfFile, options.PngFolder}, io.Out, io.Err);
        return printed == kExitOk ? status : printed;
    }
    return PrintShown(document, options.Show, TypedTape(document, options), io.Out, io.Err) ? status : kExitFailure;
}

const TCommandRegistrar kRegistrar{{kName, kUsage, "type keys into a new document's tapes and print them", &RunTape}};

}  // namespace

}  // namespace tally::cli
