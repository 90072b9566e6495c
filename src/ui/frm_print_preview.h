#pragma once
// The print preview window: one page at a time, exactly as the printer prints it, fitted into
// the window or at its real size on the screen (Zoom), paged with Next Page and Prev Page;
// from it the pages go to a printer or into a PDF file. Modal, owned by the main window.

#include <QDialog>
#include <QImage>

#include <memory>

#include "output/print_preview.h"
#include "ui/file_name_chooser.h"

class QAction;
class QKeyEvent;
class QShowEvent;

namespace tally {

class TStMediator;
class TPreviewPageView;

class TfrmPrintPreview : public QDialog {
    Q_OBJECT

public:
    // The designed size; the window is centred on the screen.
    static constexpr int kDesignedWidth = 438;
    static constexpr int kDesignedHeight = 300;

    // The printer measures the pages. The bus answers "FileMgr_GetPrintPreviewFormInfo" for the
    // caption, and its visible document is what Print and Print To PDF File print. Showing the
    // window the first time prepares the composer (once) and shows page 1.
    TfrmPrintPreview(QWidget* owner, IPageComposer& composer, IPrinter& printer, TStMediator& applicationBus);
    ~TfrmPrintPreview() override;
    TfrmPrintPreview(const TfrmPrintPreview&) = delete;
    TfrmPrintPreview& operator=(const TfrmPrintPreview&) = delete;

    QAction* NextPageAction() const { return mniNextPage_; }
    QAction* PrevPageAction() const { return mniPrevPage_; }
    QAction* ZoomAction() const { return mniZoom_; }
    QAction* CloseAction() const { return mniClose_; }
    QAction* PrintAction() const { return mniPrint_; }
    QAction* PdfAction() const { return mniPdf_; }
    const TPrintPreviewPages& Pages() const { return pages_; }
    // The page as drawn, and where on the page view it is drawn.
    const QImage& PageImage() const { return image_; }
    QPoint PagePosition() const;
    QWidget* PageView() const;
    // The file dialog of Print To PDF File; a test replaces it.
    void SetFileNameChooser(std::unique_ptr<IFileNameChooser> chooser) { chooser_ = std::move(chooser); }

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    friend class TPreviewPageView;

    // Sizes the bitmap for the page view, composes the current page on it and sets the scroll
    // bars and the paging commands.
    void ShowCurrentPage(bool opening = false);
    void NextPage();
    void PrevPage();
    void ToggleZoom();
    void PrintToPdfFile();
    TSize ClientSize() const;

    TStMediator& applicationBus_;
    int screenDpi_;
    TPrintPreviewPages pages_;
    bool opened_ = false;
    QImage image_;
    TPreviewPageView* view_;
    std::unique_ptr<IFileNameChooser> chooser_ = std::make_unique<QtFileNameChooser>();
    QAction* mniNextPage_;
    QAction* mniPrevPage_;
    QAction* mniZoom_;
    QAction* mniClose_;
    QAction* mniPrint_;
    QAction* mniPdf_;
};

// File > Print Preview: the modal preview of what the visible document prints, on the
// installed printer's pages (a PDF printer's when none is installed).
void PreviewVisibleDocument(QWidget* owner, TStMediator& applicationBus);

}  // namespace tally
