#include "ui/qt_document_pages.h"

#include <QAbstractItemDelegate>
#include <QLineEdit>
#include <QTabBar>

#include <algorithm>

#include "ui/qt_text.h"
#include "ui/results_table_view.h"
#include "ui/tape_grid.h"

namespace tally {

QtDocumentPages::QtDocumentPages(IClipboard* clipboard, QWidget* parent) : QTabWidget(parent), clipboard_(clipboard) {
    setTabPosition(QTabWidget::South);
    setDocumentMode(true);
    setFocusPolicy(Qt::NoFocus);
    tabBar()->setFocusPolicy(Qt::NoFocus);
    tabBar()->setVisible(false);
    connect(this, &QTabWidget::currentChanged, this, &QtDocumentPages::UserChangedPage);
}

ITapeView* QtDocumentPages::AddTapePage(TDocumentPageId id, std::string_view caption) {
    auto* grid = new TTapeGrid(this);
    grid->SetAfterKey(afterKey_);
    grid->SetKeyFilter(keyFilter_);
    if (tapeFont_) grid->SetTapeFont(*tapeFont_);
    pages_[id] = grid;
    switching_ = true;
    addTab(grid, ToQString(caption));
    switching_ = false;
    return grid;
}

void QtDocumentPages::AttachTape(TDocumentPageId id, TCalculator* tape) {
    if (auto* grid = qobject_cast<TTapeGrid*>(pages_.at(id))) grid->AttachTape(tape);
}

void QtDocumentPages::AddTablePage(TDocumentPageId id, std::string_view caption, TResultsTable& table) {
    auto* view = new TResultsTableView(this);
    view->AttachTable(&table, clipboard_);
    view->SetActionRunner(runTableAction_);
    pages_[id] = view;
    tableViews_[&table] = view;
    switching_ = true;
    addTab(view, ToQString(caption));
    switching_ = false;
}

void QtDocumentPages::RemovePage(TDocumentPageId id) {
    const auto found = pages_.find(id);
    if (found == pages_.end()) return;
    QWidget* page = found->second;
    if (auto* grid = qobject_cast<TTapeGrid*>(page)) grid->AttachTape(nullptr);
    if (auto* view = qobject_cast<TResultsTableView*>(page)) {
        view->AttachTable(nullptr);
        std::erase_if(tableViews_, [view](const auto& entry) { return entry.second == view; });
        closedTableEditors_.erase(view);
    }
    switching_ = true;
    removeTab(indexOf(page));
    switching_ = false;
    pages_.erase(found);
    // Deleted once the current event is over: the tape that used it as its view may still be
    // on its way out.
    page->deleteLater();
}

void QtDocumentPages::ActivatePage(TDocumentPageId id) {
    active_ = id;
    switching_ = true;
    setCurrentWidget(pages_.at(id));
    switching_ = false;
    if (QWidget* page = currentWidget(); page != nullptr && isVisible()) page->setFocus();
}

void QtDocumentPages::SetTabStripShown(bool shown) { tabBar()->setVisible(shown); }

void QtDocumentPages::Refresh() {
    for (const auto& [id, page] : pages_) {
        if (auto* grid = qobject_cast<TTapeGrid*>(page)) {
            if (grid->Tape() != nullptr) grid->SyncFromTape();
        } else if (auto* view = qobject_cast<TResultsTableView*>(page)) {
            view->SyncFromTable();
        }
    }
}

void QtDocumentPages::FocusActivePage() {
    if (QWidget* page = currentWidget()) page->setFocus(Qt::OtherFocusReason);
}

TResultsTableView* QtDocumentPages::ViewOf(const TResultsTable& table) const {
    const auto found = tableViews_.find(&table);
    return found == tableViews_.end() ? nullptr : found->second;
}

void QtDocumentPages::ScrollTableCellIntoView(const TResultsTable& table) {
    TResultsTableView* view = ViewOf(table);
    if (view == nullptr) return;
    view->SyncFromTable();
    view->scrollTo(view->currentIndex(), QAbstractItemView::EnsureVisible);
}

bool QtDocumentPages::IsTableCellVisible(const TResultsTable& table) const {
    const TResultsTableView* view = ViewOf(table);
    if (view == nullptr) return false;
    const QRect cell = view->visualRect(view->currentIndex());
    return cell.isValid() && view->viewport()->rect().intersects(cell);
}

void QtDocumentPages::ResetTableEditor(const TResultsTable& table) {
    TResultsTableView* view = ViewOf(table);
    if (view == nullptr) return;
    const QModelIndex current = view->currentIndex();
    if (QWidget* editor = view->indexWidget(current)) editor->setGeometry(view->visualRect(current));
}

void QtDocumentPages::CloseCellEditors() {
    for (const auto& [id, page] : pages_) {
        if (auto* grid = qobject_cast<TTapeGrid*>(page)) {
            grid->CellEditor()->hide();
            continue;
        }
        auto* view = qobject_cast<TResultsTableView*>(page);
        QWidget* editor = view != nullptr ? view->indexWidget(view->currentIndex()) : nullptr;
        if (editor == nullptr) continue;
        TClosedTableEditor& closed = closedTableEditors_[view];
        if (const auto* line = qobject_cast<QLineEdit*>(editor)) {
            closed.SelStart = line->hasSelectedText() ? line->selectionStart() : line->cursorPosition();
            closed.SelLength = line->hasSelectedText() ? line->selectionLength() : 0;
        }
        // What was typed goes into the table before the editor closes.
        emit view->itemDelegate()->commitData(editor);
        emit view->itemDelegate()->closeEditor(editor);
    }
}

void QtDocumentPages::ReopenCellEditors() {
    for (const auto& [id, page] : pages_) {
        auto* grid = qobject_cast<TTapeGrid*>(page);
        if (grid != nullptr && grid->Tape() != nullptr) {
            grid->CellEditor()->show();
            grid->SyncFromTape();
        }
    }
    for (const auto& [view, closed] : closedTableEditors_) {
        const QModelIndex current = view->currentIndex();
        view->edit(current);
        auto* line = qobject_cast<QLineEdit*>(view->indexWidget(current));
        if (line == nullptr) continue;
        if (closed.SelLength > 0) {
            line->setSelection(closed.SelStart, closed.SelLength);
        } else {
            line->setCursorPosition(closed.SelStart);
        }
    }
    closedTableEditors_.clear();
}

int QtDocumentPages::RequiredWidth() const {
    int widest = 0;
    for (const auto& [id, page] : pages_) {
        if (const auto* grid = qobject_cast<const TTapeGrid*>(page)) widest = std::max(widest, grid->RequiredWidth());
    }
    const QWidget* first = widget(0);
    return widest + (first != nullptr ? std::max(0, width() - first->width()) : 0);
}

void QtDocumentPages::SetAfterKey(std::function<void()> afterKey) {
    afterKey_ = std::move(afterKey);
    for (const auto& [id, page] : pages_) {
        if (auto* grid = qobject_cast<TTapeGrid*>(page)) grid->SetAfterKey(afterKey_);
    }
}

void QtDocumentPages::SetKeyFilter(TTapeGrid::TKeyFilter filter) {
    keyFilter_ = std::move(filter);
    for (const auto& [id, page] : pages_) {
        if (auto* grid = qobject_cast<TTapeGrid*>(page)) grid->SetKeyFilter(keyFilter_);
    }
}

void QtDocumentPages::SetTapeFont(const QFont& font) {
    tapeFont_ = font;
    for (const auto& [id, page] : pages_) {
        if (auto* grid = qobject_cast<TTapeGrid*>(page)) grid->SetTapeFont(font);
    }
}

void QtDocumentPages::SetTableActionRunner(std::function<void(std::string_view)> run) {
    runTableAction_ = std::move(run);
    for (const auto& [id, page] : pages_) {
        if (auto* view = qobject_cast<TResultsTableView*>(page)) view->SetActionRunner(runTableAction_);
    }
}

TTapeGrid* QtDocumentPages::CurrentGrid() const {
    if (auto* grid = qobject_cast<TTapeGrid*>(currentWidget())) return grid;
    return qobject_cast<TTapeGrid*>(widget(0));
}

TDocumentPageId QtDocumentPages::IdOf(const QWidget* page) const {
    for (const auto& [id, shown] : pages_) {
        if (shown == page) return id;
    }
    return -1;
}

void QtDocumentPages::UserChangedPage(int index) {
    if (switching_ || index < 0) return;
    const TDocumentPageId picked = IdOf(widget(index));
    if (picked == active_ || AskUserSelection(picked)) return;
    // Refused: the page shown stays.
    switching_ = true;
    if (const auto shown = pages_.find(active_); shown != pages_.end()) setCurrentWidget(shown->second);
    switching_ = false;
}

}  // namespace tally
