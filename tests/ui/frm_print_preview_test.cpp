// File > Print Preview as a user works it: a three-page tape paged with Next Page and Prev Page,
// Zoom and back, the keys scrolling the zoomed page, a resize, Close; and the table's preview.

#include <QApplication>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include <functional>
#include <string>

#include "documents/file_document.h"
#include "settings/tape_page_layout.h"
#include "table/results_table.h"
#include "table/table_manager.h"
#include "ui/frm_print_preview.h"
#include "ui_program.h"
#include "ui_test_registry.h"

namespace tally {

namespace {

// Runs the body on the modal preview once it shows, then closes it if the body did not.
bool WithPreview(test::Program& program, const std::function<void(TfrmPrintPreview&)>& body) {
    bool ran = false;
    QTimer::singleShot(0, [&] {
        auto* preview = qobject_cast<TfrmPrintPreview*>(QApplication::activeModalWidget());
        if (preview == nullptr) return;
        body(*preview);
        ran = true;
        if (preview->isVisible()) preview->CloseAction()->trigger();
    });
    program.window.PrintPreviewAction()->trigger();
    return ran;
}

// The page at the screen's resolution: A4 or Letter, as the locale has it.
bool IsPageAt96Dpi(const QImage& image) {
    return image.size() == QSize(793, 1123) || image.size() == QSize(816, 1056);
}

}  // namespace

class TestFrmPrintPreview : public QObject {
    Q_OBJECT

private slots:
    void pagesZoomScrollAndClose() {
        test::Program program;
        // One column group a page: about 38 lines a page, so 100 lines make three pages.
        program.window.Document().PageLayout().SetTapeColumnGroups(false, 1);
        std::string keys;
        for (int i = 1; i <= 100; ++i) keys += std::to_string(i) + "+";
        test::TypeOn(program.window.Tape(), keys);

        const bool ran = WithPreview(program, [](TfrmPrintPreview& preview) {
            QCOMPARE(preview.windowTitle(), QStringLiteral("Tallyroll Tape - Print Preview - Untitled(1)"));
            QCOMPARE(preview.Pages().CurrentPage(), 1);
            QVERIFY(!preview.PrevPageAction()->isEnabled());
            QVERIFY(preview.NextPageAction()->isEnabled());
            preview.NextPageAction()->trigger();
            preview.NextPageAction()->trigger();
            QCOMPARE(preview.Pages().CurrentPage(), 3);
            QVERIFY(!preview.NextPageAction()->isEnabled());
            QVERIFY(preview.PrevPageAction()->isEnabled());
            preview.PrevPageAction()->trigger();
            QCOMPARE(preview.Pages().CurrentPage(), 2);
            QVERIFY(preview.NextPageAction()->isEnabled());

            // Fitted: the page fills the height of the view less 10 pixels above and below.
            const QSize view = preview.PageView()->size();
            QVERIFY(preview.PageImage().height() <= view.height() - 20);
            QVERIFY(preview.PageImage().height() >= view.height() - 30);
            QCOMPARE(preview.PagePosition().y() >= 0, true);

            preview.ZoomAction()->trigger();
            QVERIFY(IsPageAt96Dpi(preview.PageImage()));
            QCOMPARE(preview.PagePosition(), QPoint(10, 10));
            QScrollBar* bar = nullptr;
            for (auto* scrollBar : preview.PageView()->findChildren<QScrollBar*>()) {
                if (scrollBar->orientation() == Qt::Vertical) bar = scrollBar;
            }
            QVERIFY(bar != nullptr);
            QTest::keyClick(preview.PageView(), Qt::Key_Down);
            QCOMPARE(bar->value(), (preview.PageImage().height() + 20 + 5) / 10);
            QCOMPARE(preview.PagePosition().y(), 10 - bar->value());
            QTest::keyClick(preview.PageView(), Qt::Key_PageDown);
            QVERIFY(bar->value() > (preview.PageImage().height() + 20) / 10);

            preview.ZoomAction()->trigger();
            QVERIFY(!IsPageAt96Dpi(preview.PageImage()));
            QCOMPARE(preview.Pages().CurrentPage(), 2);

            // A larger window gets a larger page, composed again.
            const int before = preview.PageImage().height();
            preview.resize(800, 700);
            QCoreApplication::processEvents();
            QVERIFY(preview.PageImage().height() > before);
            QCOMPARE(preview.Pages().CurrentPage(), 2);

            preview.CloseAction()->trigger();
            QVERIFY(!preview.isVisible());
        });
        QVERIFY(ran);
        QVERIFY(program.notifications.Beeps().empty());
    }

    void theTablesPreviewIsCaptionedForTheTable() {
        test::Program program;
        TTlyFile& document = program.window.Document();
        document.AddTableNamed();
        TResultsTable& table = *document.TableManager().CurrentTable();
        table.AddDataColumn("id1", 1, "Amount");
        table.PutValue(1, 1, "5");
        document.ShowTable(table);
        const bool ran = WithPreview(program, [](TfrmPrintPreview& preview) {
            QCOMPARE(preview.windowTitle(), QStringLiteral("Tallyroll Table - Print Preview - Untitled(1)"));
            QVERIFY(preview.Pages().Prepared());
            QVERIFY(!preview.NextPageAction()->isEnabled());
            QVERIFY(!preview.PrevPageAction()->isEnabled());
        });
        QVERIFY(ran);
    }
};

TALLY_REGISTER_UI_TEST(TestFrmPrintPreview);

}  // namespace tally

#include "frm_print_preview_test.moc"
