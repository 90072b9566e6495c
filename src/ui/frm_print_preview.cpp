#include "ui/frm_print_preview.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPainter>
#include <QPrinter>
#include <QScreen>
#include <QScrollBar>
#include <QVBoxLayout>

#include <optional>

#include "documents/file_manager_print_records.h"
#include "foundation/event_names.h"
#include "foundation/notifications/notifier.h"
#include "foundation/text_encoding.h"
#include "ui/print/preview_page_image.h"
#include "ui/print/print_to_files.h"
#include "ui/print/print_to_printer.h"
#include "ui/print/qt_printer.h"
#include "ui/qt_text.h"

namespace tally {

namespace {

std::optional<TPreviewKey> PreviewKey(const QKeyEvent& event) {
    const Qt::KeyboardModifiers modifiers = event.modifiers() & ~Qt::KeypadModifier;
    switch (event.key()) {
        case Qt::Key_Up: return TPreviewKey::Up;
        case Qt::Key_Down: return TPreviewKey::Down;
        case Qt::Key_Left: return TPreviewKey::Left;
        case Qt::Key_Right: return TPreviewKey::Right;
        case Qt::Key_PageUp:
            if (modifiers == Qt::NoModifier) return TPreviewKey::PageUp;
            if (modifiers == Qt::ControlModifier) return TPreviewKey::CtrlPageUp;
            break;
        case Qt::Key_PageDown:
            if (modifiers == Qt::NoModifier) return TPreviewKey::PageDown;
            if (modifiers == Qt::ControlModifier) return TPreviewKey::CtrlPageDown;
            break;
        default: break;
    }
    return std::nullopt;
}

int ScreenDpi(const QWidget* owner) {
    const QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
    return screen ? std::max(1, qRound(screen->logicalDotsPerInchY())) : 96;
}

std::string WindowCaption(const TStMediator& applicationBus) {
    TMedFileMgr_PrintPreviewFormInfo info;
    if (!applicationBus.HandleIfExists(events::FileMgr_GetPrintPreviewFormInfo, nullptr, &info)) {
        return std::string(kPrintPreviewCaption);
    }
    return PrintPreviewCaption(info.VisibleKind == TVisibleKind::Table, info.VisibleName, FileNameText(info.FileName));
}

}  // namespace

// The page bitmap on a grey ground, with scroll bars while the page is larger than the view.
class TPreviewPageView final : public QAbstractScrollArea {
public:
    explicit TPreviewPageView(TfrmPrintPreview& form) : QAbstractScrollArea(&form), form_(form) {
        setAccessibleName(QStringLiteral("Page"));
        setFocusPolicy(Qt::StrongFocus);
    }

    TPoint Scroll() const { return {horizontalScrollBar()->value(), verticalScrollBar()->value()}; }
    void SetScroll(TPoint scroll) {
        horizontalScrollBar()->setValue(scroll.X);
        verticalScrollBar()->setValue(scroll.Y);
    }
    TSize Client() const { return {viewport()->width(), viewport()->height()}; }
    // The scroll bars reach over the range less what the view shows.
    void SetRange(TSize range) {
        const TSize client = Client();
        const TSize step = TPrintPreviewPages::ScrollStep(range);
        horizontalScrollBar()->setRange(0, std::max(0, range.Width - client.Width));
        horizontalScrollBar()->setPageStep(client.Width);
        horizontalScrollBar()->setSingleStep(std::max(1, step.Width));
        verticalScrollBar()->setRange(0, std::max(0, range.Height - client.Height));
        verticalScrollBar()->setPageStep(client.Height);
        verticalScrollBar()->setSingleStep(std::max(1, step.Height));
        range_ = range;
    }
    TSize Range() const { return range_; }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(viewport());
        painter.fillRect(viewport()->rect(), palette().color(QPalette::Dark));
        painter.drawImage(form_.PagePosition(), form_.PageImage());
    }
    void resizeEvent(QResizeEvent* event) override {
        QAbstractScrollArea::resizeEvent(event);
        if (form_.isVisible()) form_.ShowCurrentPage();
    }
    void scrollContentsBy(int, int) override { viewport()->update(); }
    void keyPressEvent(QKeyEvent* event) override {
        const std::optional<TPreviewKey> key = PreviewKey(*event);
        if (!key) {
            event->ignore();
            return;
        }
        SetScroll(TPrintPreviewPages::ScrollByKey(*key, Scroll(), range_, Client()));
    }

private:
    TfrmPrintPreview& form_;
    TSize range_;
};

TfrmPrintPreview::TfrmPrintPreview(QWidget* owner, IPageComposer& composer, IPrinter& printer,
                                   TStMediator& applicationBus)
    : QDialog(owner),
      applicationBus_(applicationBus),
      screenDpi_(ScreenDpi(owner)),
      pages_(composer, printer, screenDpi_),
      view_(new TPreviewPageView(*this)) {
    setModal(true);
    setWindowTitle(ToQString(WindowCaption(applicationBus_)));
    auto* menu = new QMenuBar(this);
    mniNextPage_ = menu->addAction(QStringLiteral("&Next Page"), this, [this] { NextPage(); });
    mniPrevPage_ = menu->addAction(QStringLiteral("P&rev Page"), this, [this] { PrevPage(); });
    mniZoom_ = menu->addAction(QStringLiteral("&Zoom"), this, [this] { ToggleZoom(); });
    mniPrint_ = menu->addAction(QStringLiteral("&Print..."), this, [this] { PrintVisibleToPrinter(this, applicationBus_); });
    mniPdf_ = menu->addAction(QStringLiteral("Print To PD&F File..."), this, [this] { PrintToPdfFile(); });
    mniClose_ = menu->addAction(QStringLiteral("&Close"), this, &QDialog::accept);
    mniNextPage_->setEnabled(false);
    mniPrevPage_->setEnabled(false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setMenuBar(menu);
    layout->addWidget(view_);
    resize(kDesignedWidth, kDesignedHeight);
    if (const QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
}

TfrmPrintPreview::~TfrmPrintPreview() = default;

QWidget* TfrmPrintPreview::PageView() const { return view_; }

TSize TfrmPrintPreview::ClientSize() const { return view_->Client(); }

QPoint TfrmPrintPreview::PagePosition() const {
    const TPoint at = pages_.DrawPosition(ClientSize(), {image_.width(), image_.height()}, view_->Scroll());
    return {at.X, at.Y};
}

void TfrmPrintPreview::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (opened_) return;
    opened_ = true;
    ShowCurrentPage(true);
    view_->setFocus();
}

void TfrmPrintPreview::ShowCurrentPage(bool opening) {
    image_ = PreviewPageImage(pages_, pages_.BitmapSize(ClientSize()), screenDpi_, opening);
    view_->SetRange(TPrintPreviewPages::ScrollRange({image_.width(), image_.height()}));
    mniPrevPage_->setEnabled(pages_.CanShowPrevPage());
    mniNextPage_->setEnabled(pages_.CanShowNextPage());
    view_->viewport()->update();
}

void TfrmPrintPreview::NextPage() {
    if (!pages_.NextPage()) return;
    ShowCurrentPage();
}

void TfrmPrintPreview::PrevPage() {
    if (!pages_.PrevPage()) return;
    ShowCurrentPage();
}

void TfrmPrintPreview::ToggleZoom() {
    pages_.ToggleZoom();
    ShowCurrentPage();
    // Zoomed, the page starts at its top left corner.
    if (pages_.Zoomed()) view_->SetScroll({0, 0});
    view_->viewport()->update();
}

void TfrmPrintPreview::keyPressEvent(QKeyEvent* event) {
    if (PreviewKey(*event)) {
        QCoreApplication::sendEvent(view_, event);
        return;
    }
    QDialog::keyPressEvent(event);
}

void TfrmPrintPreview::PrintToPdfFile() {
    const QString chosen = chooser_->SaveFileName(this, QStringLiteral("Tallyroll - Specify PDF Filename"), QString(),
                                                  QStringLiteral("PDF files (*.pdf);;All files (*)"),
                                                  QStringLiteral("pdf"));
    if (chosen.isEmpty()) return;
    const QString path = QFileInfo(chosen).absoluteFilePath();
    if (PrintToPdf(VisiblePrintSource(applicationBus_), path.toStdString()) == TPrintJobResult::Failed) {
        Notifier().MessageBox("Can not write the PDF file \"" + FileNameText(path.toStdString()) + "\".", CaptionInformation,
                              TMessageBoxButtons::Ok, TMessageBoxIcon::Information);
    }
}

namespace {

// Opens the preview window on the composer it is given.
class TWindowPreview final : public IPrintPreview {
public:
    TWindowPreview(QWidget* owner, IPrinter& printer, TStMediator& applicationBus)
        : owner_(owner), printer_(printer), applicationBus_(applicationBus) {}

    void ShowPreview(IPageComposer& composer, TWyn_ReportProperties&) override {
        TfrmPrintPreview window(owner_, composer, printer_, applicationBus_);
        window.exec();
    }

private:
    QWidget* owner_;
    IPrinter& printer_;
    TStMediator& applicationBus_;
};

}  // namespace

void PreviewVisibleDocument(QWidget* owner, TStMediator& applicationBus) {
    const TPrintSource source = VisiblePrintSource(applicationBus);
    QPrinter printer(QPrinter::HighResolution);
    StandInWhenNoPrinter(printer);
    QtPrinter qtPrinter(printer);
    TWindowPreview preview(owner, qtPrinter, applicationBus);
    PreviewSource(source, qtPrinter, preview);
}

}  // namespace tally
