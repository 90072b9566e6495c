#pragma once
// A document's pages on screen: a tab widget with its tabs at the bottom, one page per tape (a
// tape grid) or table (a results table view). The tab strip hides while there is one page.
// A tab the user clicks is first offered to the document, which may refuse to leave the page
// shown; the tab widget then goes back to it.

#include <QFont>
#include <QTabWidget>

#include <functional>
#include <map>
#include <optional>
#include <string_view>

#include "documents/document_pages.h"
#include "ui/tape_grid.h"

namespace tally {

class IClipboard;
class TResultsTableView;

class QtDocumentPages final : public QTabWidget, public IDocumentPages {
    Q_OBJECT

public:
    explicit QtDocumentPages(IClipboard* clipboard, QWidget* parent = nullptr);

    ITapeView* AddTapePage(TDocumentPageId id, std::string_view caption) override;
    void AttachTape(TDocumentPageId id, TCalculator* tape) override;
    void AddTablePage(TDocumentPageId id, std::string_view caption, TResultsTable& table) override;
    void RemovePage(TDocumentPageId id) override;
    void ActivatePage(TDocumentPageId id) override;
    void SetTabStripShown(bool shown) override;
    void Refresh() override;
    void FocusActivePage() override;
    void ScrollTableCellIntoView(const TResultsTable& table) override;
    bool IsTableCellVisible(const TResultsTable& table) const override;
    void ResetTableEditor(const TResultsTable& table) override;
    void CloseCellEditors() override;
    void ReopenCellEditors() override;
    // The widest tape grid's width, with the tab widget's frame around its page.
    int RequiredWidth() const override;

    // Runs after every key a grid's tape consumed, on every grid.
    void SetAfterKey(std::function<void()> afterKey);
    // Sees every key before a grid's tape does, on every grid.
    void SetKeyFilter(TTapeGrid::TKeyFilter filter);
    // Runs the table commands a table view asks for (Ctrl+arrows).
    void SetTableActionRunner(std::function<void(std::string_view)> run);
    // Every tape's grid, present and future, shows its tape in this font.
    void SetTapeFont(const QFont& font);
    // The grid of the page shown, or of the first page while a table is shown.
    TTapeGrid* CurrentGrid() const;

private:
    // A table view's cell editor closed while the window is made again, with its selection.
    struct TClosedTableEditor {
        int SelStart = 0;
        int SelLength = 0;
    };

    void UserChangedPage(int index);
    TDocumentPageId IdOf(const QWidget* page) const;
    TResultsTableView* ViewOf(const TResultsTable& table) const;

    IClipboard* clipboard_;
    std::map<TDocumentPageId, QWidget*> pages_;
    std::map<const TResultsTable*, TResultsTableView*> tableViews_;
    std::map<TResultsTableView*, TClosedTableEditor> closedTableEditors_;
    TDocumentPageId active_ = -1;
    bool switching_ = false;
    std::function<void()> afterKey_;
    TTapeGrid::TKeyFilter keyFilter_;
    std::function<void(std::string_view)> runTableAction_;
    std::optional<QFont> tapeFont_;
};

}  // namespace tally
