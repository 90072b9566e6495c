#pragma once
// What the tape's and the table's page composers share: a run of lines (tape lines or table
// rows) laid out on printed pages in printer pixels. Preparing takes the page's edges, measures
// the print columns and fits the column groups to the page; composing a page places its
// furniture (page header, page number, notes, title, footer, column headings) and lets the
// lines run down one column group after the other. The first line of every page met is
// recorded once, so a later page starts from its record without the pages before it being
// laid out again, and a page composed again (a preview resized or zoomed) adds no record.
// The tape and the table bring their texts, row bands and rules.

#include <cstdint>
#include <string>
#include <vector>

#include "output/print_job.h"
#include "output/print_lists.h"
#include "settings/print_settings.h"

namespace tally {

class TStMediator;

// The furniture choices of the tape's or the table's printout.
struct TPageFurnitureFlags {
    bool ShowColHeadings = true;
    bool ShowFilenameFooter = true;
    bool ShowRowLines = false;
    bool ShowPageNumbers = true;
    bool ShowBorderLines = true;
    bool ShowColLines = true;
};

// What the furniture of a page leaves out.
struct TPageFlags {
    bool HeadingsDoNotFit = false;
    bool NotesOverflow = false;
    bool TitleDropped = false;
    bool FooterDropped = false;
    bool NotesOnly = false;
};

// One cell as it is printed.
struct TPrintedCell {
    std::string Text;
    std::uint32_t Background = kWhite;
};

// Line numbers are the tape's line indices or the table's grid rows.
using TPrintLine = std::int32_t;

class TLinesPageComposer : public IPageComposer {
public:
    // The footer names the file that "FileMgr_GetVisibleFileName" answers on the bus (none
    // without a bus). Everything given must outlive the composer.
    TLinesPageComposer(TWyn_ReportProperties& report, const TStMediator* fileNameBus);

    // Measures the columns and fits the column groups to the page: when not one group fits,
    // shows the page width message once and answers false; no page is composed then.
    bool PreparePages(TTly_PrinterPage& page) override;
    bool ComposePage(int pageNumber, TTly_PrinterPage& page) override;

    const TPrintColPropList& PrintColumns() const { return columns_; }
    const TPageContentsList& PageContents() const { return contents_; }
    int GroupCount() const { return groupCount_; }
    int GroupWidth() const { return groupWidth_; }

protected:
    // ---- What the tape or the table brings
    // The print columns in print order, widths not yet measured.
    virtual void FillPrintColumns(TPrintColPropList& columns) = 0;
    // The column's width in pixels before the column groups are fitted.
    virtual long double MeasureColumn(const TPrintColPropListItem& column, TTly_PrinterPage& page) const = 0;
    // Puts leading line breaks before the shorter headings so that all end on one line;
    // answers the number of heading lines K.
    virtual int AlignHeadings(TPrintColPropList& columns, TTly_PrinterPage& page) const = 0;
    virtual bool HeadingsWordBreak() const = 0;
    virtual TPageFurnitureFlags FurnitureFlags() const = 0;
    virtual TColumnGroups ColumnGroups() const = 0;
    virtual std::string PageWidthMessage() const = 0;
    virtual std::string PageHeader() const = 0;
    virtual std::string Title() const = 0;
    virtual std::vector<std::string> NoteLines() const = 0;
    virtual std::string FooterText(const std::string& fileName) const = 0;
    // The lines printed: from the first to before the end.
    virtual TPrintLine FirstLine() const = 0;
    virtual TPrintLine EndLine() const = 0;
    // The cell's text as the tape or table holds it.
    virtual std::string CellText(TPrintLine line, const TPrintColPropListItem& column) const = 0;
    virtual TPrintedCell PrintedCell(TPrintLine line, const TPrintColPropListItem& column) const = 0;
    // The bottom of the line's band at its top with its row height, and the rules under it.
    virtual int BandBottom(TPrintLine line, int top, int rowHeight) const = 0;
    virtual void DrawRules(TPrintLine line, int x, int bandBottom, TTly_PrinterPage& page) const = 0;
    // Drawn in place of the page's lines when the line can never fit on a page.
    virtual std::string NeverFitsText(TPrintLine line) const = 0;

    // ---- For the tape and the table
    // The widest cell of the column on the lines from first to before end, no-break spaces
    // read as blanks.
    long double WidestCell(const TPrintColPropListItem& column, TPrintLine first, TPrintLine end,
                           TTly_PrinterPage& page) const;
    // A rule across the column group at x.
    void HorizontalRule(int x, int y, TTly_PrinterPage& page, TPenStyle style = TPenStyle::Solid) const;
    bool Prepared() const { return prepared_; }

    // The measures of the base font, for the bands and rules.
    int hM_ = 0;  // height of "M"
    int wM_ = 0;  // width of "M"
    int V_ = 0;   // round(0.07 hM)
    int P_ = 0;   // 4 V
    int H_ = 0;   // the space left and right of each cell
    int gap_ = 0;  // between column groups
    int pw_ = 1;   // the pen's width

private:
    // The furniture of one page and where its lines go.
    struct TFrame {
        int LinesTop = 0;     // S
        int FrameTop = 0;     // F
        int LinesBottom = 0;  // Lb
        bool HasNotes = false;
        TRect PageNumberArea;
        TPageFlags Flags;
    };
    struct TFlow;

    void BuildColumns(TTly_PrinterPage& page);
    bool FitColumnGroups(TTly_PrinterPage& page);
    TFrame LayOutFurniture(int pageNumber, TTly_PrinterPage& page, bool draw);
    int RowHeight(TPrintLine line, TTly_PrinterPage& page) const;
    void DrawLine(TPrintLine line, int x, int y, TTly_PrinterPage& page) const;
    void VerticalRule(int x, int top, int bottom, TTly_PrinterPage& page) const;
    void DrawHeadings(int x, const TFrame& frame, TTly_PrinterPage& page) const;
    void DrawColumnLines(int x, int group, const TFrame& frame, TTly_PrinterPage& page) const;
    void DrawGroupEdges(int x, const TFrame& frame, TTly_PrinterPage& page) const;
    void DrawBorder(int x, const TFrame& frame, TTly_PrinterPage& page) const;
    void DrawPageNumber(int pageNumber, const TFrame& frame, TTly_PrinterPage& page) const;
    void DrawNeverFits(TPrintLine line, int y, TTly_PrinterPage& page) const;

    TWyn_ReportProperties& report_;
    const TStMediator* fileNameBus_;

    // Prepared for the whole job.
    bool prepared_ = false;
    TFontDescription font_;
    TPageFurnitureFlags flags_;
    int L_ = 0, T_ = 0, R_ = 0, B_ = 0, W_ = 0;
    int headingLines_ = 1;  // K
    int groupWidth_ = 0;    // G
    int groupCount_ = 1;
    std::string fileName_;
    TPrintColPropList columns_;
    TPageContentsList contents_;
};

}  // namespace tally
