// tallyroll-cli tape: types keys into a new, headless tape (the main tape, a memory tape or a side
// tape) and prints it.

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <memory>
#include <utility>
#include <string>
#include <vector>

#include "cli/cli_command.h"
#include "cli/key_script.h"
#include "cli/tape_actions.h"
#include "cli/tape_table.h"
#include "engine/tape/calculator.h"
#include "engine/tape/tape_request_runner.h"
#include "engine/totals/total_manager.h"
#include "foundation/deferred_request_codes.h"
#include "foundation/event_names.h"
#include "foundation/mediator.h"
#include "foundation/message_records.h"
#include "foundation/notifications/notifier.h"
#include "foundation/numbers/format_settings.h"
#include "links/calculator_copy_tape.h"
#include "links/calculator_link_tape.h"
#include "links/copy_manager.h"
#include "links/link_manager.h"
#include "links/link_requests.h"
#include "platform/clipboard.h"
#include "platform/deferred_requests.h"
#include "platform/headless_notification_platform.h"
#include "settings/atomic_file.h"
#include "settings/print_settings.h"
#ifdef TALLYROLL_WITH_PDF
#include "ui/print/pdf_tape_print.h"
#endif
#include "tapes/calculator_memory.h"
#include "tapes/side_calculator.h"

namespace tally::cli {

namespace {

constexpr std::string_view kName = "tape";

constexpr std::string_view kUsage =
    "usage: tallyroll-cli tape [--keys TEXT] [--option 1..5] [--decimals N]\n"
    "                          [--rounding up|even] [--total-type DE|T2|T3]\n"
    "                          [--columns LIST] [--decimal-separator S] [--thousand-separator S]\n"
    "                          [--show LIST] [--answer ok|cancel] [--pdf FILE]\n"
    "                          [--tape main|memory|side] [--item-counts LIST]\n"
    "                          [--group-display SL|ST] [--grand-display SL|GT|ST]\n"
    "\n"
    "Types keys into a new tape and prints it: a line with the headings of the\n"
    "shown columns, then one line per tape line, cells separated by tabs. Each refused key's\n"
    "explanation (\"beep: ...\") and each message list shown (\"message: ...\") go to standard\n"
    "error, in order.\n"
    "\n"
    "  --keys TEXT              the keys (default: read from standard input). Every character\n"
    "                           is typed as itself and a newline is Enter; {Enter}, {Esc}, {Tab},\n"
    "                           {Backspace}, {Delete}, {Up}, {Down}, {Left}, {Right}, {Home},\n"
    "                           {End}, {PgUp}, {PgDn} and {Divide} (the numeric pad's divide\n"
    "                           key) name keys; [Action] runs an edit action:\n"
    "                           ZeroTotal, DeleteLine, InsertLine, ClearEntry, EraseTape,\n"
    "                           DeleteSeries, InsertNewSeries, InsertNewEmbeddedSeries,\n"
    "                           DeleteEmbeddedSeries, EmptyEmbeddedSeries, SortSmallToLarge,\n"
    "                           SortLargeToSmall, CopyAsLinkSource, PasteAsLinkDest, Unlink,\n"
    "                           LineCopy, SeriesCopy, EmbeddedSeriesCopy, TapeCopy,\n"
    "                           LineCut, SeriesCut, EmbeddedSeriesCut, TapeCut, LinePaste,\n"
    "                           SeriesPaste, EmbeddedSeriesPaste, TapePaste,\n"
    "                           and on the series at the focus SpecifyTapeDecimalPlaces=N,\n"
    "                           SpecifyTapeTotalType=DE|T2|T3, SetRoundingMethod=up|even;\n"
    "                           [Table:Name] runs a results table command: Cell=C,R,\n"
    "                           Decimals=N, CopyToTable, TableDeleteLine, TableDeleteCol,\n"
    "                           EmptyTable, ResetTable, SortSmallToLarge, SortLargeToSmall,\n"
    "                           EditColHeading, CopyCellToClip, Paste, MoveLineUp, MoveLineDown,\n"
    "                           MoveColLeft, MoveColRight, SetColTotalTypeDec|HM|HMS,\n"
    "                           ShowColTotal=on|off, EnableAnnots=on|off, ShowLineNums=on|off;\n"
    "                           {{ }} [[ ]] type a brace or bracket. A number typed into the\n"
    "                           Table Columns cell ({Tab} reaches it with --columns table)\n"
    "                           assigns the line to that table column once the cell is left.\n"
    "                           A quick link, \"l\" and a line number typed as an entry (l3),\n"
    "                           links the entry to that line. A quick copy, \"c\" and a line\n"
    "                           number (c3), copies that line's number into the entry.\n"
    "  --option 1..5            data entry option: 1 manual start, 2 auto start, 3 Enter key\n"
    "                           starts, 4 auto embed, 5 adding machine (default 1)\n"
    "  --decimals N             decimal places of the first series, 0 to 15 (default 2)\n"
    "  --rounding up|even       rounding method (default up)\n"
    "  --total-type DE|T2|T3    total type of the first series (default DE)\n"
    "  --columns LIST           comma-separated columns to show besides Entries and the\n"
    "                           indicator: line, links (the lines a line is linked with),\n"
    "                           running-total, table, annotations\n"
    "  --decimal-separator S    decimal separator (default \".\", or \",\" when the thousand\n"
    "                           separator is \".\")\n"
    "  --thousand-separator S   thousand separator (default \",\", or \".\" when the decimal\n"
    "                           separator is \",\")\n"
    "  --show LIST              what to print: tape, table (tab-separated, as the table text\n"
    "                           export writes it; nothing while the table has no data), or\n"
    "                           tape,table (default tape)\n"
    "  --answer ok|cancel       the answer to every confirmation (\"confirm: ...\" on standard\n"
    "                           error; default cancel)\n"
    "  --pdf FILE               print the tape into a PDF file instead, with the default page\n"
    "                           layout on the locale's paper size, as the main tape of\n"
    "                           \"Untitled(1)\" (not available in a build without Qt)\n"
    "  --item-counts LIST       comma-separated totals that show their item count: series,\n"
    "                           group, grand\n"
    "  --group-display SL|ST    how a new group total is shown: single line (default) or\n"
    "                           itemized by series totals\n"
    "  --grand-display SL|GT|ST how a new grand total is shown: single line (default),\n"
    "                           itemized by group totals or by series totals\n"
    "  --tape main|memory|side  the kind of tape typed on (default main): the memory tape\n"
    "                           refuses typed entries; the side tape knows only the command\n"
    "                           letters m and e\n"
    "  --clipboard-in FILE      start with the file's text on the clipboard (the copy and paste\n"
    "                           actions use an in-memory clipboard)\n"
    "  --clipboard-out FILE     write the clipboard's text into the file at the end\n"
    "Exit status: 0 typed and printed, 1 the PDF or a clipboard file could not be read or\n"
    "written, 2 wrong arguments.\n";

struct TTapeOptions {
    std::string_view Keys;
    bool HaveKeys = false;
    int Option = DataEntryOption::kManualStart;
    int Decimals = 2;
    TRoundingMethod Rounding = TRoundingMethod::Up;
    std::string_view TotalType = "DE";
    std::vector<TTapeColumn> Columns;
    std::string_view DecimalSep;
    std::string_view ThousandSep;
    bool HaveDecimal = false;
    bool HaveThousand = false;
    std::string_view PdfFile;
    bool HavePdf = false;
    bool ShowTape = true;
    bool ShowTable = false;
    TMessageBoxAnswer Answer = TMessageBoxAnswer::Cancel;
    std::string_view TapeKind = "main";
    bool SeriesItemCount = false;
    bool GroupItemCount = false;
    bool GrandItemCount = false;
    std::string_view GroupDisplay = "SL";
    std::string_view GrandDisplay = "SL";
    std::string_view ClipboardIn;
    std::string_view ClipboardOut;
};

// Clipboard files hold one record at most: a whole tape of a million lines stays well below.
constexpr std::size_t kMaxClipboardFileSize = std::size_t{256} << 20;

// The file name of the new document the tape belongs to, for the printed footer.
constexpr std::string_view kUntitledFileName = "Untitled(1)";

bool ParseInt(std::string_view text, int low, int high, int& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc{} && end == text.data() + text.size() && value >= low && value <= high;
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
            options.Rounding = value == "even" ? TRoundingMethod::Even : TRoundingMethod::Up;
        } else if (TakeOption(args, i, "--total-type", value, missing)) {
            valid = missing || value == "DE" || value == "T2" || value == "T3";
            options.TotalType = value;
        } else if (TakeOption(args, i, "--columns", value, missing)) {
            std::string bad;
            if (!missing && !ParseColumns(value, options.Columns, bad)) {
                return UsageError(io, kName, "unknown column '" + bad + "'");
            }
        } else if (TakeOption(args, i, "--show", value, missing)) {
            options.ShowTape = value == "tape" || value == "tape,table";
            options.ShowTable = value == "table" || value == "tape,table";
            valid = missing || options.ShowTape || options.ShowTable;
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
        } else if (TakeOption(args, i, "--clipboard-in", value, missing)) {
            options.ClipboardIn = value;
            valid = missing || !value.empty();
        } else if (TakeOption(args, i, "--clipboard-out", value, missing)) {
            options.ClipboardOut = value;
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
    }
}

void PrintTape(const TCalculator& tape, std::FILE* out) {
    const std::vector<TTapeColumn> columns = tape.ShownColumns();
    std::string heading;
    for (const TTapeColumn column : columns) {
        if (!heading.empty()) heading += '\t';
        std::string text(TCalculator::ColumnHeading(column));
        // A two-line heading is printed on one line.
        for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at)) {
            text.replace(at, 2, " ");
        }
        heading += text;
    }
    WriteLine(out, heading);
    const TLineStore& lines = tape.Lines();
    for (LineIndex line = 0; line < lines.LineCount(); ++line) {
        std::string row;
        for (std::size_t i = 0; i < columns.size(); ++i) {
            if (i > 0) row += '\t';
            switch (columns[i]) {
                case TTapeColumn::Line: row += std::to_string(line + 1); break;
                case TTapeColumn::Entries: row += lines.Entries(line); break;
                case TTapeColumn::Indicator: row += lines.Indicator(line); break;
                case TTapeColumn::Links: row += lines.Links(line); break;
                case TTapeColumn::RunningTotal: row += lines.RunningTotal(line); break;
                case TTapeColumn::Annotations: row += lines.Annotations(line); break;
                case TTapeColumn::TableColumns: row += lines.TableColumns(line); break;
            }
        }
        WriteLine(out, row);
    }
}

std::string ReadAll(std::FILE* in) {
    std::string text;
    char buffer[4096];
    std::size_t count = 0;
    while ((count = std::fread(buffer, 1, sizeof buffer, in)) > 0) text.append(buffer, count);
    return text;
}

void SetUpTape(TCalculator& tape, const TTapeOptions& options) {
    tape.SetDataEntryOption(options.Option);
    tape.SetRoundingMethod(options.Rounding);
    tape.SetOpenSeriesDecimalPlaces(options.Decimals);
    tape.SetOpenSeriesTotalType(options.TotalType);
    for (const TTapeColumn column : options.Columns) tape.SetColumnShown(column, true);
    tape.SetShowSeriesTotalItemCount(options.SeriesItemCount);
    tape.SetShowGroupTotalItemCount(options.GroupItemCount);
    tape.SetShowGrandTotalItemCount(options.GrandItemCount);
    tape.SetGroupTotalCreationDisplayState(options.GroupDisplay);
    tape.SetGrandTotalCreationDisplayState(options.GrandDisplay);
    tape.ChooseCurrentSeries();
}

// Writes the PDF; returns the exit status.
int PrintPdf(const TCalculator& tape, std::string_view pdfFile, TCliIo& io) {
#ifdef TALLYROLL_WITH_PDF
    switch (PrintTapeToPdf(tape, TReportSettings{}, std::string(kUntitledFileName), std::string(pdfFile))) {
        case TPrintJobResult::Printed: return kExitOk;
        case TPrintJobResult::Refused: return kExitFailure;  // the reason went to standard error
        case TPrintJobResult::Failed: break;
    }
    std::fprintf(io.Err, "tallyroll-cli tape: cannot write the PDF file '%.*s'\n", static_cast<int>(pdfFile.size()),
                 pdfFile.data());
#else
    (void)tape;
    (void)pdfFile;
    std::fputs("tallyroll-cli tape: --pdf is not available in this build (it was built without Qt)\n", io.Err);
#endif
    return kExitFailure;
}

std::unique_ptr<TCalculator> MakeTape(std::string_view kind, TStMediator& documentBus) {
    if (kind == "memory") return std::make_unique<TCalculatorMemory>(&documentBus);
    if (kind == "side") return std::make_unique<TSideCalculator>(&documentBus);
    return std::make_unique<TCalculator>('t', &documentBus);
}

// The one tape the total manager of a run reaches.
class TSingleTotalTapes final : public ITotalTapes {
public:
    explicit TSingleTotalTapes(TCalculator& tape) : tape_(tape) {}
    TCalculator* TapeById(char tapeId) override { return tapeId == tape_.TapeId() ? &tape_ : nullptr; }

private:
    TCalculator& tape_;
};

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
        const std::string error = IsTableAction(step.Action) ? CheckTableAction(step.Action) : CheckTapeAction(step.Action);
        if (!error.empty()) {
            return UsageError(io, kName, error);
        }
    }

    TCliNotificationPlatform platform(io.Err, options.Answer);
    TInstalledNotifier notifier(platform);
    TDeferredRequestQueue queue;
    TStMediator documentBus;
    documentBus.Add(events::FileObj_PostMainFormWindowsMsg, [&queue](TMedRecord* in, TMedRecord*) {
        if (const auto* message = RecordAs<TOsMsgVariables>(in)) {
            queue.Post({message->MessageNumber - requests::kFirstUserMessage, message->FirstParam,
                           message->SecondParam});
        }
    });
    const std::unique_ptr<TCalculator> typedTape = MakeTape(options.TapeKind, documentBus);
    TCalculator& tape = *typedTape;
    HeadlessClipboard clipboard;
    if (!options.ClipboardIn.empty()) {
        const TFileText in = ReadWholeFile(std::string(options.ClipboardIn), kMaxClipboardFileSize);
        if (!in.Exists || !in.Result) {
            WriteLine(io.Err, "cannot read clipboard file '" + std::string(options.ClipboardIn) + "'" +
                                  (in.Result ? std::string() : ": " + in.Result.Reason));
            return kExitFailure;
        }
        clipboard.SetText(in.Text);
    }
    tape.SetClipboard(&clipboard);
    TCalculatorLinkTape linkTape(tape);
    TLinkManager links([&linkTape] { return std::vector<ILinkTape*>{&linkTape}; }, ProgramRandomFraction(),
                       &clipboard);
    links.RegisterEvents(documentBus);
    links.ConnectTape(tape);
    TCalculatorCopyTape copyTape(tape);
    TCopyManager copies([&copyTape] { return std::vector<ICopyTape*>{&copyTape}; });
    copies.RegisterEvents(documentBus);
    TSingleTotalTapes totalTapes(tape);
    TTotalManager totals(documentBus, totalTapes);
    tape.Hooks().ProcessPendingTotals = [&totals](TCalculator&) { totals.ProcessPendingTotals(); };
    SetUpTape(tape, options);
    TCliTable table(documentBus, tape);
    TTapeRequestRunner runner(tape);
    // The window's own requests (its width, ...) have nothing to do here.
    const auto run = [&runner, &links, &copies](const TDeferredRequest& request) {
        if (!RunLinkRequest(links, request) && !RunCopyRequest(copies, request)) runner.Run(request);
    };
    for (const TKeyStep& step : script.Steps) {
        switch (step.StepKind) {
            case TKeyStep::Kind::Character: tape.KeyPress(step.Character); break;
            case TKeyStep::Kind::Key: PressKey(tape, step.Key); break;
            case TKeyStep::Kind::Action:
                if (IsTableAction(step.Action)) {
                    table.Run(step.Action);
                } else {
                    RunTapeAction(tape, links, step.Action);
                    table.AfterTapeEdit();
                }
                break;
        }
        queue.Drain(run);
    }
    if (!options.ClipboardOut.empty()) {
        const TFileResult written = WriteFileAtomically(std::string(options.ClipboardOut), clipboard.GetText());
        if (!written) {
            WriteLine(io.Err, "cannot write clipboard file '" + std::string(options.ClipboardOut) + "': " +
                                  written.Reason);
            return kExitFailure;
        }
    }
    if (options.HavePdf) return PrintPdf(tape, options.PdfFile, io);
    if (options.ShowTape) PrintTape(tape, io.Out);
    if (options.ShowTape && options.ShowTable) WriteLine(io.Out, "");
    if (options.ShowTable) table.Print(io.Out);
    return kExitOk;
}

const TCommandRegistrar kRegistrar{{kName, kUsage, "type keys into a new tape and print it", &RunTape}};

}  // namespace

}  // namespace tally::cli
