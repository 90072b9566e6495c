#pragma once
// A document's print choices for its tapes and tables, the main tape's shown columns and the
// user's chosen print columns in print order. Every tape output walks the print columns
// through here: the chosen ones, or, when none are chosen, every column the main tape shows.

#include <cstdint>
#include <optional>
#include <string>

#include "settings/print_fields.h"
#include "settings/print_settings.h"

namespace tally {

class TStMediator;

class TTapePageLayout {
public:
    // The document bus answers "FileObj_GetMainTapeCalcObject" with the main tape.
    explicit TTapePageLayout(TStMediator* documentBus);

    // Every flag and number back to its default, the print fields cleared; the tape fields stay.
    void Reset();

    const TTapePrintFlags& TapeFlags() const { return tapeFlags_; }
    void SetTapeFlags(const TTapePrintFlags& flags) { tapeFlags_ = flags; }
    const TColumnGroups& TapeColumnGroups() const { return tapeColumnGroups_; }
    // A number of 0 or less is stored as 1.
    void SetTapeColumnGroups(bool autoCalc, std::int32_t count);

    const TTablePrintFlags& TableFlags() const { return tableFlags_; }
    void SetTableFlags(const TTablePrintFlags& flags) { tableFlags_ = flags; }
    const TColumnGroups& TableColumnGroups() const { return tableColumnGroups_; }
    void SetTableColumnGroups(bool autoCalc, std::int32_t count);
    std::int32_t TableLinesPerGroup() const { return tableLinesPerGroup_; }
    // A value of 0 or less is ignored.
    void SetTableLinesPerGroup(std::int32_t lines);

    const TTapeFieldsList& TapeFields() const { return tapeFields_; }
    const TPrintFieldsList& PrintFields() const { return printFields_; }
    // True when no print columns were chosen: the tape's shown columns are printed.
    bool PrintsAllColumns() const { return printFields_.empty(); }
    void ClearPrintFields() { printFields_.clear(); }
    // Adds the first tape field of that kind as a print field; nothing when the tape does not
    // show that kind.
    void AddPrintField(TTapeColumn kind, std::int32_t printColNum);
    // Asks the document for its main tape and rebuilds the tape fields from it; without an
    // answer the tape fields stay as they are.
    void RefreshTapeFields();

    // The print column walk: the chosen print fields, brought up to date with the tape first,
    // or else the tape fields numbered from 0. Each fills the item and answers whether it did.
    bool FirstPrintField(TPrintFieldsListItem& item);
    bool NextPrintField(TPrintFieldsListItem& item);

    // The kinds of the tape fields in order; the first call refreshes them.
    std::optional<TTapeColumn> FirstTapeFieldKind();
    std::optional<TTapeColumn> NextTapeFieldKind();

    // The heading of the first tape field of the kind; empty when there is none.
    std::string HeadingOf(TTapeColumn kind) const;
    // The kind of the first tape field at the tape position.
    std::optional<TTapeColumn> KindAtPosition(std::int32_t position) const;

private:
    const TTapeFieldsListItem* FirstTapeField(TTapeColumn kind) const;
    void UpdatePrintFieldsFromTape();

    TStMediator* documentBus_;
    TTapePrintFlags tapeFlags_;
    TColumnGroups tapeColumnGroups_;
    TTablePrintFlags tableFlags_;
    TColumnGroups tableColumnGroups_;
    std::int32_t tableLinesPerGroup_ = 5;
    TPrintFieldsList printFields_;
    TTapeFieldsList tapeFields_;
    std::size_t printWalkPosition_ = 0;
    bool printWalkActive_ = false;
    std::int32_t printColumnCounter_ = 0;
    std::size_t tapeWalkPosition_ = 0;
    bool tapeWalkActive_ = false;
};

}  // namespace tally
