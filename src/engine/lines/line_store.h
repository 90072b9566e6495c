#pragma once
// The table of tape lines: one row per line with the cells Entries, Indicator, Links,
// Running Total, Annotations and Table Columns, an optional property list and a row height.
// A line's number is its position (index 0 is line 1). Reads outside the table give empty
// texts and false; writes outside it are ignored.
//
// Sized for tapes of a million lines: a row keeps the three cells most lines fill inline
// (56 bytes); Links, Annotations, Table Columns, the property list and a non-default height
// live in a side block that exists only while one of them is set. Rows are kept in blocks, so
// appending never moves the rows already there.
//
// The store also keeps an index of its structural lines (kinds "()[]{}<>Zz": the lines that
// bound series, ranges and embedded series), so that finding a series' bounds costs a search
// among those few lines instead of a walk over the rows. Every mutation keeps it current: its
// share of appending a line is O(1) amortized, of inserting or removing in the middle
// O(structural lines after it).
//
// Likewise it keeps an index of the lines that carry link data (a LID property), and a link
// generation that changes whenever a line gains, loses or changes its link data or a linked
// line moves, so the link bookkeeping reads only those lines and can tell when nothing changed;
// an index of the lines that carry a total status flag (a TLSF property), so that bringing
// group and grand totals up to date starts at the flagged lines instead of walking the tape;
// and an index of the lines assigned to a table column (a TCID property), so that asking
// whether lines feed the table reads those few lines only.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/lines/calc_params.h"
#include "engine/lines/compact_text.h"
#include "engine/lines/line_kinds.h"
#include "engine/lines/line_store_rows.h"
#include "engine/lines/sorted_line_set.h"

namespace tally {

enum class TLineColumn { Entries, Indicator, Links, RunningTotal, Annotations, TableColumns };

// Told about every change after it is made. Qt models that need "about to" signals take
// them from the Before... calls.
class TLineObserver {
public:
    virtual ~TLineObserver() = default;
    virtual void BeforeLinesInserted(LineIndex /*first*/, LineIndex /*count*/) {}
    virtual void LinesInserted(LineIndex /*first*/, LineIndex /*count*/) {}
    virtual void BeforeLinesRemoved(LineIndex /*first*/, LineIndex /*count*/) {}
    virtual void LinesRemoved(LineIndex /*first*/, LineIndex /*count*/) {}
    // One cell of a line changed.
    virtual void CellChanged(LineIndex /*line*/, TLineColumn /*column*/) {}
    // Whole lines changed: moved or swapped lines, or a property list.
    virtual void LinesChanged(LineIndex /*first*/, LineIndex /*last*/) {}
    virtual void RowHeightChanged(LineIndex /*line*/) {}
};

class TLineStore {
public:
    TLineStore();
    ~TLineStore();
    TLineStore(const TLineStore&) = delete;
    TLineStore& operator=(const TLineStore&) = delete;
    // Observers stay with the moved-from store.
    TLineStore(TLineStore&& other) noexcept;
    TLineStore& operator=(TLineStore&& other) noexcept;

    LineIndex LineCount() const { return static_cast<LineIndex>(rows_.size()); }
    bool IsLine(LineIndex line) const { return line >= 0 && line < LineCount(); }
    LineIndex LastLine() const { return LineCount() - 1; }

    // Inserts count blank lines so that the first one has index at (0..LineCount()).
    void InsertLines(LineIndex at, LineIndex count = 1);
    // Removes count lines from first, with their properties and heights; the range is cut
    // to the table's end.
    void RemoveLines(LineIndex first, LineIndex count = 1);
    // Moves count lines starting at first so that the first of them ends at index to.
    void MoveLines(LineIndex first, LineIndex count, LineIndex to);
    void SwapLines(LineIndex a, LineIndex b);

    // Valid until the cell is changed or its line removed or moved.
    std::string_view Cell(LineIndex line, TLineColumn column) const;
    void SetCell(LineIndex line, TLineColumn column, std::string_view text);

    // Entries and Indicator are read on every walk over the tape, so they are inline.
    std::string_view Entries(LineIndex line) const {
        return IsLine(line) ? RowAt(line).entries.View() : std::string_view{};
    }
    std::string_view Indicator(LineIndex line) const {
        return IsLine(line) ? RowAt(line).indicator.View() : std::string_view{};
    }
    std::string_view Links(LineIndex line) const { return Cell(line, TLineColumn::Links); }
    std::string_view RunningTotal(LineIndex line) const { return Cell(line, TLineColumn::RunningTotal); }
    std::string_view Annotations(LineIndex line) const { return Cell(line, TLineColumn::Annotations); }
    std::string_view TableColumns(LineIndex line) const { return Cell(line, TLineColumn::TableColumns); }
    void SetEntries(LineIndex line, std::string_view text) { SetCell(line, TLineColumn::Entries, text); }
    void SetIndicator(LineIndex line, std::string_view text) { SetCell(line, TLineColumn::Indicator, text); }

    // The kind character of a line ('\0' outside the table) and the kind tests on it.
    char KindOf(LineIndex line) const {
        return IsLine(line) ? KindOfIndicator(RowAt(line).indicator.View()) : '\0';
    }
    bool HasKind(LineIndex line, char kind) const { return KindOf(line) == kind; }
    bool InGroup(LineIndex line, std::string_view group) const { return KindInGroup(KindOf(line), group); }

    // The kinds kept in the structural index, and the range boundary kinds, which are also kept
    // apart so that a search for range openings or closings does not step over every zero
    // total line.
    static constexpr std::string_view kStructuralKinds = "()[]{}<>Zz";
    static constexpr std::string_view kRangeKinds = "[]{}";
    // The nearest structural line at or before (at or after) `line` whose kind is in `group`;
    // kinds of `group` outside kStructuralKinds are never found. `line` may lie outside the
    // table: the search starts at the table's nearest end. kNoLine when there is none.
    LineIndex StructuralLineAtOrBefore(LineIndex line, std::string_view group = kStructuralKinds) const;
    LineIndex StructuralLineAtOrAfter(LineIndex line, std::string_view group = kStructuralKinds) const;

    // The lines with link data, in ascending order. A line that loses its link data loses its
    // Links cell text too.
    const std::vector<LineIndex>& LinkedLines() const { return linked_.Lines(); }
    // The lines with a total status flag, in ascending order.
    const std::vector<LineIndex>& FlaggedLines() const { return flagged_.Lines(); }
    // The lines with a table column id, in ascending order.
    const std::vector<LineIndex>& AssignedLines() const { return assigned_.Lines(); }
    // Changes whenever the link data of any line or the position of a linked line changes.
    std::uint64_t LinkGeneration() const { return linkGeneration_; }

    // The line's property list; null when the line has none.
    const TCalcParams* Params(LineIndex line) const;
    std::string_view Property(LineIndex line, std::string_view key) const;
    // An empty value removes the pair; the list goes when its last pair does.
    void SetProperty(LineIndex line, std::string_view key, std::string_view value);
    std::string ParamsText(LineIndex line) const;
    void SetParamsText(LineIndex line, std::string_view commaText);
    void SetParams(LineIndex line, TCalcParams params);

    // 0 means the view's default height.
    int RowHeight(LineIndex line) const;
    void SetRowHeight(LineIndex line, int height);

    // Observers are not owned; each must be removed before it is destroyed.
    void AddObserver(TLineObserver* observer);
    void RemoveObserver(TLineObserver* observer);

private:
    struct RareCells;
    struct Row {
        TCompactText entries;
        TCompactText indicator;
        TCompactText runningTotal;
        std::unique_ptr<RareCells> rare;
    };

    const Row& RowAt(LineIndex line) const { return rows_[static_cast<std::size_t>(line)]; }
    RareCells& EnsureRare(Row& row);
    static void DropRareIfEmpty(Row& row);
    template <class Notify>
    void NotifyAll(Notify notify);
    // Brings the indexes in line with the rows first..last after they were rearranged.
    void ReindexLines(LineIndex first, LineIndex last);
    void IndexKindChange(LineIndex line, char newKind);
    // Brings the link (flag) index in line with a line whose link data (status flag) may have
    // changed.
    void IndexLinkChange(LineIndex line, std::string_view oldLinkData);
    void IndexFlagChange(LineIndex line);
    void IndexAssignmentChange(LineIndex line);
    const TSortedLineSet& IndexFor(std::string_view group) const;

    TBlockRows<Row> rows_;
    TSortedLineSet structural_;
    TSortedLineSet ranges_;
    TSortedLineSet linked_;
    TSortedLineSet flagged_;
    TSortedLineSet assigned_;
    std::uint64_t linkGeneration_ = 0;
    std::vector<TLineObserver*> observers_;
};

}  // namespace tally
