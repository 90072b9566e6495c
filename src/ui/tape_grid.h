#pragma once
// The grid that shows a tape: a table view with one fixed heading row, the tape's shown columns
// and widths, its row heights and cell colours, and one in-place editor on the focus cell.
//
// The tape decides, the grid follows. Every key goes to the tape's key-down and key-press
// handlers first; only a key the tape leaves alone reaches the editor, whose edits then go back
// into the tape. A click asks the tape to select the cell, and the grid then shows whatever
// focus cell the tape ended with, so a refused move leaves the focus where it was.

#include <QTableView>

#include <functional>
#include <memory>

#include "engine/tape/calculator.h"
#include "engine/tape/tape_view.h"

class QLineEdit;

namespace tally {

class TTapeTableModel;
class TTapeCellEditor;

class TTapeGrid : public QTableView, public ITapeView {
    Q_OBJECT

public:
    explicit TTapeGrid(QWidget* parent = nullptr);
    ~TTapeGrid() override;
    TTapeGrid(const TTapeGrid&) = delete;
    TTapeGrid& operator=(const TTapeGrid&) = delete;

    // Shows the tape; null lets go of it, which must happen before the tape is destroyed.
    void AttachTape(TCalculator* tape);
    TCalculator* Tape() const { return tape_; }
    TTapeTableModel* TapeModel() const { return model_.get(); }
    QLineEdit* CellEditor() const;

    // Shows the tape's current state: columns and widths, top line, focus cell and editor.
    void SyncFromTape();
    // Hands a key to the tape; true when the tape consumed it and the editor must not apply it.
    bool RouteKey(const QKeyEvent& event);
    // Sees every key before the tape does; a key it takes (true) never reaches the tape.
    using TKeyFilter = std::function<bool(TCalculator& tape, const QKeyEvent& key)>;
    void SetKeyFilter(TKeyFilter filter) { keyFilter_ = std::move(filter); }
    // Runs after every key the tape consumed, before the grid shows the result.
    void SetAfterKey(std::function<void()> afterKey) { afterKey_ = std::move(afterKey); }
    // Shows the tape in this font: the rows and columns are measured again with it. The tape
    // stays unmodified: a font is no edit.
    void SetTapeFont(const QFont& font);
    // The width that shows every column without a horizontal scroll bar.
    int RequiredWidth() const;

    // What the tape asks of its view.
    int VisibleRowCount() const override;
    int DefaultRowHeight() const override;
    // The tape reckons the heading as one default row; the viewport is what lies below it.
    int ClientHeight() const override;
    int ColumnWidth(int column) const override;
    void SetColumnWidth(int column, int width) override;
    int TextWidth(std::string_view text) const override;
    int TextHeight(std::string_view text) const override;
    int GridLineWidth() const override;
    void Repaint() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void updateGeometries() override;

private:
    friend class TTapeCellEditor;

    QModelIndex FocusIndex() const;
    void LoadEditor();
    void PlaceEditor();
    // The editor changed its text or selection by itself (a key the tape left alone).
    void EditorTextEdited();
    void EditorSelectionMoved();
    void ApplyRowHeights(int firstLine, int lastLine);
    // An indicator with an item count, such as "T(12)", must not be cut off.
    void FitIndicatorColumn(int line);
    // A number written into the Entries or Running Total column must not be cut off either.
    void FitNumberColumn(int line, TTapeColumn kind);
    // The widest character of number texts in the grid's font: a bound that spares measuring.
    int WidestNumberCharacter();
    // What the style's text margins in a cell take beyond the room the tape leaves beside a
    // text (kTapeCellRoom).
    int MarginsBeyondTapeRoom() const;
    void ColumnResizedByUser(int position, int newWidth);

    TCalculator* tape_ = nullptr;
    TKeyFilter keyFilter_;
    std::function<void()> afterKey_;
    std::unique_ptr<TTapeTableModel> model_;
    TTapeCellEditor* editor_;
    // Set while the grid shows the tape's state, so that the changes it makes to the widgets
    // are not taken for the user's.
    bool syncing_ = false;
    int widestNumberCharacter_ = 0;
};

}  // namespace tally
