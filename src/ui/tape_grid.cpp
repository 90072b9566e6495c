#include "ui/tape_grid.h"

#include <QFontMetricsF>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QStyle>
#include <QScopedValueRollback>
#include <QRegularExpression>
#include <QScrollBar>

#include <algorithm>
#include <cmath>

#include "foundation/notifications/notifier.h"
#include "ui/qt_tape_keys.h"
#include "ui/qt_text.h"
#include "ui/tape_item_delegate.h"
#include "ui/tape_table_model.h"

namespace tally {

namespace {

// The room the tape leaves beside a text's width when it sizes a column.
constexpr int kTapeCellRoom = 5;

}  // namespace

// The one in-place editor. It applies only the keys the tape leaves alone, and takes text in no
// other way: no context menu, no drops, no middle-button paste and no input method, since
// text arriving by those ways would pass by the tape's checks.
class TTapeCellEditor : public QLineEdit {
public:
    explicit TTapeCellEditor(TTapeGrid& grid) : QLineEdit(grid.viewport()), grid_(grid) {
        setFrame(false);
        setContextMenuPolicy(Qt::NoContextMenu);
        setAcceptDrops(false);
        setAttribute(Qt::WA_InputMethodEnabled, false);
        QPalette colours = palette();
        colours.setColor(QPalette::Base, QColor(0xFF, 0xF4, 0xB8));  // the focus highlight
        colours.setColor(QPalette::Text, Qt::black);
        setPalette(colours);
        connect(this, &QLineEdit::textEdited, this, [this] { grid_.EditorTextEdited(); });
        connect(this, &QLineEdit::cursorPositionChanged, this, [this] { grid_.EditorSelectionMoved(); });
        connect(this, &QLineEdit::selectionChanged, this, [this] { grid_.EditorSelectionMoved(); });
    }

protected:
    bool event(QEvent* event) override {
        // Tab and Shift+Tab are tape keys, not focus changes between widgets.
        if (event->type() == QEvent::KeyPress) {
            keyPressEvent(static_cast<QKeyEvent*>(event));
            return true;
        }
        return QLineEdit::event(event);
    }
    void keyPressEvent(QKeyEvent* event) override {
        if (!grid_.RouteKey(*event)) QLineEdit::keyPressEvent(event);
        // Handled here either way; the grid must not see it a second time.
        event->accept();
    }
    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() != Qt::MiddleButton) QLineEdit::mousePressEvent(event);
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        if (event->button() != Qt::MiddleButton) QLineEdit::mouseReleaseEvent(event);
    }

private:
    TTapeGrid& grid_;
};

TTapeGrid::TTapeGrid(QWidget* parent) : QTableView(parent), editor_(new TTapeCellEditor(*this)) {
    setItemDelegate(new TTapeItemDelegate(this));
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    setAutoScroll(false);
    setCornerButtonEnabled(false);
    setWordWrap(true);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setFocusProxy(editor_);

    // Paper: black on white, whatever the desktop theme.
    QPalette paper = palette();
    paper.setColor(QPalette::Base, Qt::white);
    paper.setColor(QPalette::Text, Qt::black);
    setPalette(paper);

    QHeaderView* heading = horizontalHeader();
    heading->setSectionsMovable(false);
    heading->setSectionsClickable(false);
    heading->setHighlightSections(false);
    heading->setStretchLastSection(false);
    heading->setMinimumSectionSize(1);
    heading->setDefaultAlignment(Qt::AlignCenter);
    connect(heading, &QHeaderView::sectionResized, this,
            [this](int position, int, int newWidth) { ColumnResizedByUser(position, newWidth); });

    // Row heights belong to the tape; the user changes them with the tape's keys.
    QHeaderView* rows = verticalHeader();
    rows->hide();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setMinimumSectionSize(1);
    rows->setDefaultSectionSize(fontMetrics().height() + 6);
    connect(rows, &QHeaderView::sectionResized, this, [this] { PlaceEditor(); });
    editor_->hide();
}

TTapeGrid::~TTapeGrid() { AttachTape(nullptr); }

QLineEdit* TTapeGrid::CellEditor() const { return editor_; }

void TTapeGrid::AttachTape(TCalculator* tape) {
    if (tape == tape_) return;
    setModel(nullptr);
    model_.reset();
    tape_ = tape;
    editor_->setVisible(tape_ != nullptr);
    if (tape_ == nullptr) return;
    model_ = std::make_unique<TTapeTableModel>(*tape_);
    setModel(model_.get());
    connect(model_.get(), &TTapeTableModel::RowHeightsChanged, this, &TTapeGrid::ApplyRowHeights);
    connect(model_.get(), &TTapeTableModel::IndicatorWritten, this, &TTapeGrid::FitIndicatorColumn);
    connect(model_.get(), &TTapeTableModel::NumberWritten, this, &TTapeGrid::FitNumberColumn);
    // Only lines with their own height need a call; the rest keep the default.
    QScopedValueRollback guard(syncing_, true);
    const TLineStore& lines = tape_->Lines();
    for (LineIndex line = 0; line < lines.LineCount(); ++line) {
        if (lines.RowHeight(line) > 0) verticalHeader()->resizeSection(line, lines.RowHeight(line));
    }
    SyncFromTape();
}

QModelIndex TTapeGrid::FocusIndex() const {
    if (tape_ == nullptr) return {};
    return model_->index(tape_->FocusLine(), model_->PositionOf(tape_->FocusColumn()));
}

void TTapeGrid::SyncFromTape() {
    if (tape_ == nullptr) return;
    QScopedValueRollback guard(syncing_, true);
    model_->SyncColumns();
    QHeaderView* heading = horizontalHeader();
    for (int position = 0; position < model_->columnCount(); ++position) {
        const int width = tape_->ColumnWidth(model_->ColumnKind(position));
        if (heading->sectionSize(position) != width) heading->resizeSection(position, width);
    }
    // Rows inserted by the last change must count before the top line is scrolled to.
    executeDelayedItemsLayout();
    verticalScrollBar()->setValue(tape_->TopLine());
    const QModelIndex focus = FocusIndex();
    if (focus.isValid()) {
        selectionModel()->setCurrentIndex(focus, QItemSelectionModel::NoUpdate);
        scrollTo(focus, QAbstractItemView::EnsureVisible);
    }
    // Rows may be taller or shorter than the tape reckoned: the grid's top line is the truth.
    if (verticalScrollBar()->value() != tape_->TopLine()) tape_->SetTopLine(verticalScrollBar()->value());
    LoadEditor();
    PlaceEditor();
}

void TTapeGrid::LoadEditor() {
    const TEntryEditor& state = tape_->Editor();
    const QString text = ToQString(state.Text);
    if (editor_->text() != text) editor_->setText(text);
    const TTapeColumn column = tape_->FocusColumn();
    editor_->setAlignment(column == TTapeColumn::Annotations ? Qt::AlignLeft | Qt::AlignVCenter
                                                             : Qt::AlignRight | Qt::AlignVCenter);
    if (state.SelLength > 0) {
        editor_->setSelection(state.SelStart, state.SelLength);
    } else {
        editor_->deselect();
        editor_->setCursorPosition(state.SelStart);
    }
}

void TTapeGrid::PlaceEditor() {
    const QModelIndex focus = FocusIndex();
    if (!focus.isValid()) return;
    const int grid = showGrid() ? GridLineWidth() : 0;
    editor_->setGeometry(visualRect(focus).adjusted(0, 0, -grid, -grid));
}

void TTapeGrid::EditorTextEdited() {
    if (syncing_ || tape_ == nullptr) return;
    bool ok = false;
    const std::string text = FromQString(editor_->text(), &ok);
    if (!ok) {
        // Pasted text the tape cannot hold: refused, the editor shows the tape's text again.
        Notifier().Platform().Beep();
        QScopedValueRollback guard(syncing_, true);
        LoadEditor();
        return;
    }
    // As the grid's own editor would, the edit goes into the focus cell.
    tape_->Editor().Text = text;
    EditorSelectionMoved();
    if (const auto cell = LineColumnOf(tape_->FocusColumn())) {
        tape_->Lines().SetCell(tape_->FocusLine(), *cell, text);
    }
}

void TTapeGrid::EditorSelectionMoved() {
    if (syncing_ || tape_ == nullptr) return;
    TEntryEditor& state = tape_->Editor();
    if (editor_->hasSelectedText()) {
        state.SelStart = editor_->selectionStart();
        state.SelLength = editor_->selectionLength();
    } else {
        state.SelStart = editor_->cursorPosition();
        state.SelLength = 0;
    }
}

bool TTapeGrid::RouteKey(const QKeyEvent& event) {
    if (tape_ == nullptr) return false;
    if (keyFilter_ && keyFilter_(*tape_, event)) return true;
    const TTapeKeyInput input = TranslateKey(event);
    bool consumed = tape_->KeyDown(input.Key, input.Modifiers);
    if (!consumed && input.Character) {
        consumed = tape_->KeyPress(*input.Character);
    } else if (!consumed && input.Unrepresentable) {
        // A character outside the program's character set is refused like any other.
        Notifier().Platform().Beep();
        consumed = true;
    }
    if (consumed) {
        if (afterKey_) afterKey_();
        SyncFromTape();
    }
    return consumed;
}

void TTapeGrid::keyPressEvent(QKeyEvent* event) {
    // Keys reach the grid itself only while the editor cannot take them.
    if (!RouteKey(*event)) event->ignore();
}

void TTapeGrid::paintEvent(QPaintEvent* event) {
    QTableView::paintEvent(event);
    // The paper fills the page: in a window wider than the tape's columns, its lines run on to
    // the right edge beyond the last column, which keeps its own width.
    const int columnsEnd = horizontalHeader()->length() - horizontalOffset();
    if (columnsEnd >= viewport()->width() || model_ == nullptr) return;
    QPainter painter(viewport());
    const QRect beyond(columnsEnd, 0, viewport()->width() - columnsEnd, viewport()->height());
    painter.fillRect(beyond, palette().color(QPalette::Base));
    if (!showGrid()) return;
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    painter.setPen(QColor::fromRgba(static_cast<QRgb>(style()->styleHint(QStyle::SH_Table_GridLineColor, &option, this))));
    const int lastRow = model_->rowCount() - 1;
    for (int row = std::max(rowAt(0), 0); row >= 0 && row <= lastRow; ++row) {
        const int bottom = rowViewportPosition(row) + rowHeight(row) - 1;
        if (bottom >= viewport()->height()) break;
        painter.drawLine(beyond.left(), bottom, beyond.right(), bottom);
    }
}

void TTapeGrid::mousePressEvent(QMouseEvent* event) {
    if (tape_ == nullptr) return;
    const QModelIndex cell = indexAt(event->position().toPoint());
    if (cell.isValid() && event->button() == Qt::LeftButton) {
        const TTapeColumn column = model_->ColumnKind(cell.column());
        if (cell.row() != tape_->FocusLine() || column != tape_->FocusColumn()) {
            tape_->SelectCell(column, cell.row());
        }
        SyncFromTape();
    }
    editor_->setFocus(Qt::MouseFocusReason);
    event->accept();
}

void TTapeGrid::mouseDoubleClickEvent(QMouseEvent* event) { mousePressEvent(event); }

void TTapeGrid::scrollContentsBy(int dx, int dy) {
    QTableView::scrollContentsBy(dx, dy);
    if (!syncing_ && tape_ != nullptr && dy != 0) tape_->SetTopLine(verticalScrollBar()->value());
    PlaceEditor();
}

void TTapeGrid::updateGeometries() {
    QTableView::updateGeometries();
    PlaceEditor();
}

void TTapeGrid::ApplyRowHeights(int firstLine, int lastLine) {
    if (tape_ == nullptr) return;
    const TLineStore& lines = tape_->Lines();
    lastLine = std::min(lastLine, lines.LastLine());
    for (LineIndex line = std::max(firstLine, 0); line <= lastLine; ++line) {
        const int height = lines.RowHeight(line);
        verticalHeader()->resizeSection(line, height > 0 ? height : DefaultRowHeight());
    }
}

void TTapeGrid::FitIndicatorColumn(int line) {
    // A line kind alone is one character, which the column's default width always holds.
    const std::string_view indicator = tape_->Lines().Indicator(line);
    if (indicator.size() > 1) tape_->WidenColumnFor(TTapeColumn::Indicator, indicator);
}

void TTapeGrid::FitNumberColumn(int line, TTapeColumn kind) {
    if (model_->PositionOf(kind) < 0) return;
    const std::optional<TLineColumn> cell = LineColumnOf(kind);
    const std::string_view text = tape_->Lines().Cell(line, *cell);
    // Recalculations write many cells: only a text that may not fit is measured. No text is
    // wider than its length in its widest characters, measured as TextWidth measures.
    const int mostWidth = static_cast<int>(text.size()) * WidestNumberCharacter() + MarginsBeyondTapeRoom();
    if (mostWidth < tape_->ColumnWidth(kind) - kTapeCellRoom) return;
    tape_->WidenColumnFor(kind, text);
}

int TTapeGrid::WidestNumberCharacter() {
    if (widestNumberCharacter_ == 0) {
        const QString characters = ToQString("0123456789+-X\xF7\xD7PR.,:/_= \xA0");
        const QFontMetricsF metrics(font());
        for (const QChar c : characters) {
            widestNumberCharacter_ =
                std::max(widestNumberCharacter_, static_cast<int>(std::ceil(metrics.horizontalAdvance(c))));
        }
    }
    return widestNumberCharacter_;
}

int TTapeGrid::MarginsBeyondTapeRoom() const {
    // The style draws a cell's text between margins of its focus frame margin plus one on
    // each side, and elides a text that does not fit between them; the grid line is taken from
    // the cell's width as well.
    const int margins = 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1) +
                        (showGrid() ? GridLineWidth() : 0);
    return std::max(0, margins - kTapeCellRoom);
}

void TTapeGrid::ColumnResizedByUser(int position, int newWidth) {
    PlaceEditor();
    if (syncing_ || tape_ == nullptr || position >= model_->columnCount()) return;
    tape_->SetColumnWidth(model_->ColumnKind(position), newWidth);
}

void TTapeGrid::SetTapeFont(const QFont& font) {
    setFont(font);
    widestNumberCharacter_ = 0;
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    if (tape_ == nullptr) return;
    const bool modified = tape_->IsModified();
    for (TTapeColumn column : {TTapeColumn::Entries, TTapeColumn::Indicator, TTapeColumn::RunningTotal,
                               TTapeColumn::Annotations, TTapeColumn::Line, TTapeColumn::Links,
                               TTapeColumn::TableColumns}) {
        tape_->RestoreColumnWidth(column);
    }
    tape_->SetModified(modified);
    SyncFromTape();
}

int TTapeGrid::RequiredWidth() const {
    return horizontalHeader()->length() + 2 * frameWidth() + verticalScrollBar()->sizeHint().width();
}

int TTapeGrid::VisibleRowCount() const { return viewport()->height() / DefaultRowHeight(); }

int TTapeGrid::DefaultRowHeight() const { return verticalHeader()->defaultSectionSize(); }

int TTapeGrid::ClientHeight() const {
    return viewport()->height() + DefaultRowHeight() + GridLineWidth();
}

int TTapeGrid::ColumnWidth(int column) const { return horizontalHeader()->sectionSize(column); }

void TTapeGrid::SetColumnWidth(int column, int width) { horizontalHeader()->resizeSection(column, width); }

int TTapeGrid::TextWidth(std::string_view text) const {
    int widest = 0;
    const QStringList lines = ToQString(text).split(QRegularExpression(QStringLiteral("[\r\n]+")));
    // Whole pixels rounded up: a bold font's fractional advances would otherwise leave a number
    // a fraction too wide for its column, and it would be drawn cut off.
    const QFontMetricsF metrics(font());
    for (const QString& line : lines) widest = std::max(widest, static_cast<int>(std::ceil(metrics.horizontalAdvance(line))));
    // The tape makes a column this much plus its room wide: the style's margins must fit too.
    return widest + MarginsBeyondTapeRoom();
}

int TTapeGrid::TextHeight(std::string_view text) const {
    const auto breaks = ToQString(text).split(QRegularExpression(QStringLiteral("\r\n|\r|\n"))).size();
    return fontMetrics().height() + static_cast<int>(breaks - 1) * fontMetrics().lineSpacing();
}

int TTapeGrid::GridLineWidth() const { return 1; }

void TTapeGrid::Repaint() {
    viewport()->update();
    horizontalHeader()->viewport()->update();
}

}  // namespace tally
