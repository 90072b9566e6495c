// The auxiliary tape label dialog: what it shows, Ok with the typed or an emptied box, Cancel,
// and that it is gone once closed.

#include <QApplication>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <string>

#include "ui/frm_label_aux_tape.h"
#include "ui/qt_text.h"
#include "ui_test_registry.h"

namespace tally {

namespace {

class TestFrmLabelAuxTape : public QObject {
    Q_OBJECT

private slots:
    void showsTheTapeNameAndLabel() {
        auto* dialog = new TfrmLabelAuxTape("Aux B", "Rent");
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Tallyroll - Label Auxiliary Tape"));
        QCOMPARE(dialog->lblTapeLabel->text(), QStringLiteral("Specify label for tape Aux B"));
        QCOMPARE(dialog->edtTapeLabel->text(), QStringLiteral("Rent"));
        QVERIFY(dialog->btnOk->isDefault());
        delete dialog;
    }

    // The title bar shows the whole caption: its text in a bold title font, beside the window
    // icon and the title bar's buttons (each about a title line wide).
    void theCaptionFitsItsTitleBar() {
        auto* dialog = new TfrmLabelAuxTape("Aux B", "Rent");
        dialog->show();
        QFont bold = dialog->font();
        bold.setBold(true);
        const QFontMetrics title(bold);
        QVERIFY(dialog->width() >= title.horizontalAdvance(dialog->windowTitle()) + 4 * title.height());
        delete dialog;
    }

    void okAndCancel_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("label");
        QTest::newRow("ok keeps the typed text") << QStringLiteral("Food \u00D7 2") << true << QStringLiteral("Food \u00D7 2");
        QTest::newRow("ok with an empty box clears") << QString() << true << QString();
        QTest::newRow("cancel leaves the label") << QStringLiteral("Other") << false << QStringLiteral("Rent");
    }
    void okAndCancel() {
        QFETCH(QString, typed);
        QFETCH(bool, ok);
        QFETCH(QString, label);
        std::string stored = "Rent";
        QPointer<TfrmLabelAuxTape> shown;
        QTimer::singleShot(0, [&] {
            shown = qobject_cast<TfrmLabelAuxTape*>(QApplication::activeModalWidget());
            QVERIFY(shown != nullptr);
            shown->edtTapeLabel->setText(typed);
            QTest::mouseClick(ok ? shown->btnOk : shown->btnCancel, Qt::LeftButton);
        });
        QCOMPARE(TfrmLabelAuxTape::Edit("Aux B", stored), ok);
        QCOMPARE(ToQString(stored), label);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(shown.isNull());
    }
};

TALLY_REGISTER_UI_TEST(TestFrmLabelAuxTape);

}  // namespace

}  // namespace tally

#include "frm_label_aux_tape_test.moc"
