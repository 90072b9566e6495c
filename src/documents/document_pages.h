#pragma once
// The pages of one document: one per tape or table, tabs at the bottom. The document decides
// which page is active and what each page shows; the pages only display it. The window system
// supplies the pages (a tab widget with a grid per tape) and the command-line tool and the
// tests a headless set that keeps fixed-metric tape views.

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/tape/tape_view.h"

namespace tally {

class TCalculator;
class TResultsTable;

using TDocumentPageId = int;

class IDocumentPages {
public:
    virtual ~IDocumentPages() = default;

    // Adds a page at the end, with a view for a tape that is created next; the view stays valid
    // until the page is removed.
    virtual ITapeView* AddTapePage(TDocumentPageId id, std::string_view caption) = 0;
    // Shows the tape on its page; null lets go of it, which happens before the tape is freed.
    virtual void AttachTape(TDocumentPageId id, TCalculator* tape) = 0;
    virtual void AddTablePage(TDocumentPageId id, std::string_view caption, TResultsTable& table) = 0;
    virtual void RemovePage(TDocumentPageId id) = 0;
    // Brings the page forward without asking the document.
    virtual void ActivatePage(TDocumentPageId id) = 0;
    // The tab strip is hidden while the document has one page.
    virtual void SetTabStripShown(bool shown) = 0;
    // The views show their tape's or table's current state.
    virtual void Refresh() = 0;

    // ---- What only the window system knows. A tape's grid follows its tape (focus cell, top
    // line, editor); the keyboard focus, the table grids and the widths on screen are here.
    // The keyboard focus goes to the active page's grid.
    virtual void FocusActivePage() = 0;
    // The table's current cell is scrolled into view; whether it is at least partly in view.
    virtual void ScrollTableCellIntoView(const TResultsTable& table) = 0;
    virtual bool IsTableCellVisible(const TResultsTable& table) const = 0;
    // An open cell editor of the table is placed over its current cell again.
    virtual void ResetTableEditor(const TResultsTable& table) = 0;
    // While the window is made again: the cell editors close, what they hold kept, and open
    // again afterwards over the same cells with the same selections.
    virtual void CloseCellEditors() = 0;
    virtual void ReopenCellEditors() = 0;
    // The width that shows every column of the widest tape, with what the pages put around a
    // page.
    virtual int RequiredWidth() const = 0;

    // The page the user picked is handed to this callback, which answers whether the active
    // page may be left; on a refusal the pages stay as they were.
    void SetUserSelection(std::function<bool(TDocumentPageId)> select) { userSelection_ = std::move(select); }

protected:
    bool AskUserSelection(TDocumentPageId id) const { return !userSelection_ || userSelection_(id); }

private:
    std::function<bool(TDocumentPageId)> userSelection_;
};

// Pages without a window system: each tape page keeps a view of fixed metrics.
class HeadlessDocumentPages final : public IDocumentPages {
public:
    ITapeView* AddTapePage(TDocumentPageId id, std::string_view caption) override;
    void AttachTape(TDocumentPageId id, TCalculator* tape) override;
    void AddTablePage(TDocumentPageId id, std::string_view caption, TResultsTable& table) override;
    void RemovePage(TDocumentPageId id) override;
    void ActivatePage(TDocumentPageId id) override { active_ = id; }
    void SetTabStripShown(bool shown) override { tabStripShown_ = shown; }
    void Refresh() override {}
    void FocusActivePage() override { focused_ = active_; }
    void ScrollTableCellIntoView(const TResultsTable& table) override { scrolledTables_.push_back(&table); }
    bool IsTableCellVisible(const TResultsTable&) const override { return tableCellVisible_; }
    void ResetTableEditor(const TResultsTable& table) override { resetTables_.push_back(&table); }
    void CloseCellEditors() override { editorsOpen_ = false; }
    void ReopenCellEditors() override { editorsOpen_ = true; }
    // The widest attached tape's shown columns, a grid line after each.
    int RequiredWidth() const override;

    // The user clicks the page's tab: false when the document refused to leave the active one.
    bool ClickPage(TDocumentPageId id);

    // The captions in page order; the id of the first page with a caption (-1 when none).
    std::vector<std::string> Captions() const;
    TDocumentPageId PageWithCaption(std::string_view caption) const;
    TDocumentPageId ActivePage() const { return active_; }
    bool TabStripShown() const { return tabStripShown_; }
    // What the window-system requests did: the page last given the keyboard focus (-1 when
    // none), the tables scrolled and those whose editor was reset, in order, whether the
    // editors are open. Whether a table's current cell is in view is set by the test.
    TDocumentPageId FocusedPage() const { return focused_; }
    const std::vector<const TResultsTable*>& ScrolledTables() const { return scrolledTables_; }
    const std::vector<const TResultsTable*>& ResetTables() const { return resetTables_; }
    bool EditorsOpen() const { return editorsOpen_; }
    void SetTableCellVisible(bool visible) { tableCellVisible_ = visible; }

private:
    struct TPage {
        TDocumentPageId Id = 0;
        std::string Caption;
        std::unique_ptr<HeadlessTapeView> View;
        const TCalculator* Tape = nullptr;
    };
    std::vector<TPage> pages_;
    TDocumentPageId active_ = -1;
    bool tabStripShown_ = false;
    TDocumentPageId focused_ = -1;
    std::vector<const TResultsTable*> scrolledTables_;
    std::vector<const TResultsTable*> resetTables_;
    bool editorsOpen_ = true;
    bool tableCellVisible_ = true;
};

}  // namespace tally
