#pragma once
// The tape's page composer: lays a tape out on printed pages in printer pixels and draws any
// page asked for. It keeps the first line of every page it meets, so a later page starts from
// its recorded line without the pages before it being laid out again.

#include <string>
#include <vector>

#include "output/print_job.h"
#include "output/print_lists.h"

namespace tally {

class TCalculator;
class TLineStore;
class TStMediator;
class TTapePageLayout;

// The texts the Links column starts with; they decide its printed width.
struct TLinkPrefixes {
    std::string UsedAtLine = "Used at line ";
    std::string FromLine = "From line ";
};

inline constexpr std::string_view kPageWidthTooSmall = "The page width is too small to print this Tape.";

// What the furniture of a page leaves out.
struct TTapePageFlags {
    bool HeadingsDoNotFit = false;
    bool NotesOverflow = false;
    bool TitleDropped = false;
    bool FooterDropped = false;
    bool NotesOnly = false;
};

class TTapePageComposer : public IPageComposer {
public:
    // The footer names the file that "FileMgr_GetVisibleFileName" answers on the bus (none
    // without a bus). Everything given must outlive the composer.
    TTapePageComposer(const TCalculator& tape, TTapePageLayout& layout, TWyn_ReportProperties& report,
                      TLinkPrefixes prefixes, const TStMediator* fileNameBus);

    // Measures the columns and fits the column groups to the page: when not one group fits,
    // shows "The page width is too small to print this Tape." and answers false.
    bool PreparePages(TTly_PrinterPage& page) override;
    bool ComposePage(int pageNumber, TTly_PrinterPage& page) override { return ComposeTapePage(pageNumber, page); }
    bool ComposeTapePage(int pageNumber, TTly_PrinterPage& page);

    const TPrintColPropList& PrintColumns() const { return columns_; }
    const TPageContentsList& PageContents() const { return contents_; }
    int GroupCount() const { return groupCount_; }
    int GroupWidth() const { return groupWidth_; }

private:
    // The furniture of one page and where its lines go.
    struct TFrame {
        int LinesTop = 0;     // S
        int FrameTop = 0;     // F
        int LinesBottom = 0;  // Lb
        bool HasNotes = false;
        TRect PageNumberArea;
        TTapePageFlags Flags;
    };
    struct TFlow;

    void BuildColumns(TTly_PrinterPage& page);
    bool FitColumnGroups(TTly_PrinterPage& page);
    TFrame LayOutFurniture(int pageNumber, TTly_PrinterPage& page, bool draw);
    int RowHeight(LineIndex line, TTly_PrinterPage& page) const;
    int BandBottom(LineIndex line, int top, int rowHeight) const;
    void DrawLine(LineIndex line, int x, int y, TTly_PrinterPage& page) const;
    void DrawRules(LineIndex line, int x, int bandBottom, TTly_PrinterPage& page) const;
    void HorizontalRule(int x, int y, TTly_PrinterPage& page, TPenStyle style = TPenStyle::Solid) const;
    void VerticalRule(int x, int top, int bottom, TTly_PrinterPage& page) const;
    void DrawHeadings(int x, const TFrame& frame, TTly_PrinterPage& page) const;
    void DrawColumnLines(int x, int group, const TFrame& frame, TTly_PrinterPage& page) const;
    void DrawGroupEdges(int x, const TFrame& frame, TTly_PrinterPage& page) const;
    void DrawBorder(int x, const TFrame& frame, TTly_PrinterPage& page) const;
    void DrawPageNumber(int pageNumber, const TFrame& frame, TTly_PrinterPage& page) const;
    void DrawNeverFits(LineIndex line, int y, TTly_PrinterPage& page) const;

    const TCalculator& tape_;
    TTapePageLayout& layout_;
    TWyn_ReportProperties& report_;
    TLinkPrefixes prefixes_;
    const TStMediator* fileNameBus_;

    // Prepared for the whole job.
    bool prepared_ = false;
    const TLineStore* lines_ = nullptr;
    TFontDescription font_;
    int L_ = 0, T_ = 0, R_ = 0, B_ = 0, W_ = 0;
    int hM_ = 0, wM_ = 0, V_ = 0, P_ = 0, H_ = 0, gap_ = 0, pw_ = 1;
    int headingLines_ = 1;  // K
    int groupWidth_ = 0;    // G
    int groupCount_ = 1;
    std::string fileName_;
    TPrintColPropList columns_;
    TPageContentsList contents_;
};

// Prints the tape through the report properties' printer.
TPrintJobResult PrintTape(const TCalculator& tape, TTapePageLayout& layout, TWyn_ReportProperties& report,
                          const TLinkPrefixes& prefixes, const TStMediator* fileNameBus);

// The print preview window: it asks the composer for pages on its own page surfaces.
class IPrintPreview {
public:
    virtual ~IPrintPreview() = default;
    virtual void ShowPreview(IPageComposer& composer, TWyn_ReportProperties& report) = 0;
};

// Opens the preview with the tape's composer; a tape that cannot be printed is refused once,
// before the preview opens. Answers whether the preview was shown.
bool PreviewTape(const TCalculator& tape, TTapePageLayout& layout, TWyn_ReportProperties& report,
                 const TLinkPrefixes& prefixes, const TStMediator* fileNameBus, IPrintPreview& preview);

}  // namespace tally
