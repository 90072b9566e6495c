// The clipboard adapter reads the system clipboard only after it changed.
#include <QClipboard>
#include <QGuiApplication>
#include <QTest>

#include "ui/qt_clipboard.h"
#include "ui_test_registry.h"

namespace tally {

namespace {

class QtClipboardTest : public QObject {
    Q_OBJECT

private slots:
    void ownTextIsServedFromTheCache() {
        QtClipboard clipboard;
        clipboard.SetText("[Tape Line]\r\nEntry=+1\xF7" "2\r\n");
        const int reads = clipboard.SystemReads();
        for (int i = 0; i < 100; ++i) QCOMPARE(clipboard.GetText(), std::string("[Tape Line]\r\nEntry=+1\xF7" "2\r\n"));
        QCOMPARE(clipboard.SystemReads(), reads);
    }

    void anotherProgramsTextIsReadOnceAfterTheChange() {
        QtClipboard clipboard;
        clipboard.SetText("ours");
        QGuiApplication::clipboard()->setText(QStringLiteral("theirs \u00E9"));
        QCoreApplication::processEvents();
        QCOMPARE(clipboard.GetText(), std::string("theirs \xE9"));
        const int reads = clipboard.SystemReads();
        QCOMPARE(clipboard.GetText(), std::string("theirs \xE9"));
        QCOMPARE(clipboard.SystemReads(), reads);
        // Text outside Windows-1252 reads as no text.
        QGuiApplication::clipboard()->setText(QStringLiteral("\u4E2D"));
        QCoreApplication::processEvents();
        QCOMPARE(clipboard.GetText(), std::string());
    }
};

}  // namespace

TALLY_REGISTER_UI_TEST(QtClipboardTest);

}  // namespace tally

#include "qt_clipboard_test.moc"
