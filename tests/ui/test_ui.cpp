// Qt side of the platform: text conversion, locale separators, notification window, message
// boxes, deferred requests, clipboard and text measurement.

#include <QApplication>
#include <QClipboard>
#include <QFontMetrics>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <string>
#include <vector>

#include "foundation/numbers/format_settings.h"
#include "foundation/notifications/notifier.h"
#include "ui/locale_separators.h"
#include "ui/qt_clipboard.h"
#include "ui/qt_deferred_request_pump.h"
#include "ui/qt_notification_platform.h"
#include "ui/qt_text.h"
#include "ui/qt_text_measurer.h"
#include "ui_test_registry.h"

Q_DECLARE_METATYPE(std::string)
Q_DECLARE_METATYPE(tally::TMessageBoxButtons)
Q_DECLARE_METATYPE(tally::TMessageBoxIcon)
Q_DECLARE_METATYPE(tally::TMessageBoxAnswer)

namespace tally {

namespace {

std::vector<int> Codes(const std::vector<TDeferredRequest>& requests) {
    std::vector<int> codes;
    for (const auto& request : requests) codes.push_back(request.Code);
    return codes;
}

}  // namespace

class TestUi : public QObject {
    Q_OBJECT

private slots:
    void cleanup() {
        ResetFormatSettings();
        for (QWidget* widget : QApplication::topLevelWidgets()) delete widget;
    }

    void textConversion_data() {
        QTest::addColumn<std::string>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << std::string() << QString();
        QTest::newRow("ascii") << std::string("Total 12.50") << QStringLiteral("Total 12.50");
        QTest::newRow("euro") << std::string("\x80" "5") << QString::fromUtf16(u"\u20AC5");
        QTest::newRow("divide sign") << std::string("8\xF7" "2") << QString::fromUtf16(u"8\u00F7" "2");
        QTest::newRow("no-break space") << std::string("1\xA0" "000") << QString::fromUtf16(u"1\u00A0" "000");
        QTest::newRow("Y diaeresis") << std::string("\x9F") << QString::fromUtf16(u"\u0178");
        QTest::newRow("undefined byte") << std::string("\x81") << QString::fromUtf16(u"\u0081");
        QTest::newRow("CR LF") << std::string("a\r\nb") << QStringLiteral("a\r\nb");
    }
    void textConversion() {
        QFETCH(std::string, bytes);
        QFETCH(QString, text);
        QCOMPARE(ToQString(bytes), text);
        bool ok = false;
        QCOMPARE(FromQString(text, &ok), bytes);
        QVERIFY(ok);
    }

    void everyByteRoundTrips() {
        std::string all;
        for (int byte = 0; byte < 256; ++byte) all.push_back(static_cast<char>(byte));
        const QString text = ToQString(all);
        QCOMPARE(text.size(), 256);
        bool ok = false;
        QCOMPARE(FromQString(text, &ok), all);
        QVERIFY(ok);
    }

    void refusesTextOutsideWindows1252_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("A macron") << QString::fromUtf16(u"a\u20AC\u0100");
        QTest::newRow("CJK") << QString::fromUtf16(u"12\u4E2D");
        QTest::newRow("beyond BMP") << QString::fromUtf8("5\xF0\x9F\x98\x80");
        QTest::newRow("lone surrogate") << QString(QChar(0xD800));
    }
    void refusesTextOutsideWindows1252() {
        QFETCH(QString, text);
        bool ok = true;
        QCOMPARE(FromQString(text, &ok), std::string());
        QVERIFY(!ok);
    }

    void localeSeparators_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<char>("decimal");
        QTest::addColumn<char>("thousand");
        QTest::addColumn<bool>("usable");
        QTest::newRow("C") << QLocale::c() << '.' << ',' << true;
        QTest::newRow("German") << QLocale(QLocale::German, QLocale::Germany) << ',' << '.' << true;
        // Its group separator is a narrow no-break space, which has no Windows-1252 form.
        QTest::newRow("French") << QLocale(QLocale::French, QLocale::France) << ',' << '\xA0'
                                << true;
        // Arabic decimal separator: no Windows-1252 form, so both fall back.
        QTest::newRow("Arabic") << QLocale(QLocale::Arabic, QLocale::Egypt) << '.' << ','
                                << false;
    }
    void localeSeparators() {
        QFETCH(QLocale, locale);
        QFETCH(char, decimal);
        QFETCH(char, thousand);
        QFETCH(bool, usable);
        SetFormatSeparators("#", ";");  // something else first, so the call must set both
        QCOMPARE(ApplyLocaleSeparators(locale), usable);
        QCOMPARE(FormatSettings().DecimalSeparator, decimal);
        QCOMPARE(FormatSettings().ThousandSeparator, thousand);
    }

    void notificationWindowShowsMessagesAndLaterExplanation() {
        TDeferredRequestQueue queue;
        QtNotificationPlatform platform(queue);
        QWidget mainWindow;
        platform.SetMainWindow(&mainWindow);
        // At the screen's right edge, so the window goes to the main window's left.
        const TSize screen = platform.ScreenSize();
        mainWindow.setGeometry(screen.Width - 300, 100, 300, 200);
        mainWindow.show();
        TNotifier notifier(platform);

        notifier.MessageList().Add("First message.");
        notifier.MessageList().Add("");
        notifier.MessageList().Add("Second \x80 message.");
        notifier.MessageList().Add("");
        notifier.ShowMessageList();

        QPointer<TfrmMultipleMsg> window = platform.NotificationWindow();
        QVERIFY(window);
        QVERIFY(window->isVisible());
        QCOMPARE(window->Text(), QString::fromUtf16(u"First message.\n\nSecond \u20AC message.\n"));
        QCOMPARE(notifier.MessageList().Count(), 0u);
        QCOMPARE(window->windowTitle(), QStringLiteral("Tallyroll - Notify"));
        QVERIFY(window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QCOMPARE(window->windowType(), Qt::Tool);
        QVERIFY(!window->isModal());
        QVERIFY(window->findChild<QPlainTextEdit*>()->isReadOnly());
        QVERIFY(window->OkButton()->isDefault());
        QVERIFY(window->frameGeometry().right() < mainWindow.frameGeometry().left());

        notifier.ExplainAndBeep("Can not delete the last line.");
        QCOMPARE(platform.NotificationWindow(), window.data());
        QCOMPARE(window->Text(), QStringLiteral("Can not delete the last line."));
    }

    void notificationWindowIsRecreatedAfterClosing_data() {
        QTest::addColumn<bool>("byOkButton");
        QTest::newRow("Ok button") << true;
        QTest::newRow("close box") << false;
    }
    void notificationWindowIsRecreatedAfterClosing() {
        QFETCH(bool, byOkButton);
        TDeferredRequestQueue queue;
        QtNotificationPlatform platform(queue);
        TNotifier notifier(platform);
        notifier.ExplainAndBeep("First refusal.");
        QVERIFY(!platform.IsNotificationWindowOpen());  // a beep alone opens no window
        notifier.ShowLastExplanation();
        QPointer<TfrmMultipleMsg> first = platform.NotificationWindow();
        QVERIFY(first);

        if (byOkButton) {
            QTest::mouseClick(first->OkButton(), Qt::LeftButton);
        } else {
            first->close();
        }
        QVERIFY(!platform.IsNotificationWindowOpen());
        // A refusal right after the close must not bring back the dying window.
        notifier.ExplainAndBeep("Second refusal.");
        QVERIFY(!platform.IsNotificationWindowOpen());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!first);

        notifier.ShowLastExplanation();
        TfrmMultipleMsg* second = platform.NotificationWindow();
        QVERIFY(second);
        QVERIFY(second->isVisible());
        QCOMPARE(second->Text(), QStringLiteral("Second refusal."));
    }

    void deferredRequestsRunAfterTheCurrentEventAndNotWhileHeld() {
        TDeferredRequestQueue queue;
        std::vector<TDeferredRequest> ran;
        QtDeferredRequestPump pump(queue, [&](const TDeferredRequest& request) {
            ran.push_back(request);
            if (request.Code == 108) queue.Post({109, 0, 0});  // posted while draining
        });

        queue.Post({108, 1, 2});
        queue.Post({110, 0, 0});
        QVERIFY(ran.empty());
        QCoreApplication::processEvents();
        QCOMPARE(Codes(ran), (std::vector<int>{108, 110, 109}));
        QCOMPARE(ran[0], (TDeferredRequest{108, 1, 2}));

        ran.clear();
        queue.Hold();
        queue.Post({111, 0, 0});
        QCoreApplication::processEvents();
        QVERIFY(ran.empty());
        queue.Release();
        QVERIFY(ran.empty());
        QCoreApplication::processEvents();
        QCOMPARE(Codes(ran), (std::vector<int>{111}));
    }

    void messageBoxHoldsDeferredRequestsAndMapsTheAnswer_data() {
        QTest::addColumn<TMessageBoxButtons>("buttons");
        QTest::addColumn<TMessageBoxIcon>("icon");
        QTest::addColumn<int>("click");  // a QMessageBox::StandardButton, or 0 to close the box
        QTest::addColumn<TMessageBoxAnswer>("answer");
        QTest::addColumn<QMessageBox::Icon>("qtIcon");
        using B = TMessageBoxButtons;
        using A = TMessageBoxAnswer;
        QTest::newRow("Yes") << B::YesNoCancel << TMessageBoxIcon::Question
                             << int(QMessageBox::Yes) << A::Yes << QMessageBox::Question;
        QTest::newRow("No") << B::YesNo << TMessageBoxIcon::Question << int(QMessageBox::No)
                            << A::No << QMessageBox::Question;
        QTest::newRow("Ok") << B::OkCancel << TMessageBoxIcon::Warning << int(QMessageBox::Ok)
                            << A::Ok << QMessageBox::Warning;
        QTest::newRow("closed with Cancel") << B::YesNoCancel << TMessageBoxIcon::Question << 0
                                            << A::Cancel << QMessageBox::Question;
        QTest::newRow("closed without Cancel") << B::YesNo << TMessageBoxIcon::None << 0 << A::No
                                               << QMessageBox::NoIcon;
        QTest::newRow("closed, Ok only") << B::Ok << TMessageBoxIcon::Error << 0 << A::Ok
                                         << QMessageBox::Critical;
    }
    void messageBoxHoldsDeferredRequestsAndMapsTheAnswer() {
        QFETCH(TMessageBoxButtons, buttons);
        QFETCH(TMessageBoxIcon, icon);
        QFETCH(int, click);
        QFETCH(TMessageBoxAnswer, answer);
        QFETCH(QMessageBox::Icon, qtIcon);
        TDeferredRequestQueue queue;
        std::vector<TDeferredRequest> ran;
        QtDeferredRequestPump pump(queue, [&](const TDeferredRequest& r) { ran.push_back(r); });
        QtNotificationPlatform platform(queue);
        queue.Post({108, 0, 0});

        bool sawBox = false;
        bool ranInsideBox = true;
        QString caption, text;
        QMessageBox::Icon shownIcon = QMessageBox::NoIcon;
        // Runs inside the box's event loop, where the queued drain also gets its turn.
        QTimer::singleShot(0, [&] {
            QCoreApplication::processEvents();
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            sawBox = true;
            ranInsideBox = !ran.empty();
            caption = box->windowTitle();
            text = box->text();
            shownIcon = box->icon();
            if (click != 0) {
                box->button(static_cast<QMessageBox::StandardButton>(click))->click();
            } else {
                box->close();
            }
        });
        const TMessageBoxAnswer given = platform.AskMessageBox(
            "Save changes to \x80 totals?  Really.", "Tallyroll - Confirm", buttons, icon);

        QVERIFY(sawBox);
        QVERIFY(!ranInsideBox);
        QCOMPARE(given, answer);
        QCOMPARE(caption, QStringLiteral("Tallyroll - Confirm"));
        QCOMPARE(text, QString::fromUtf16(u"Save changes to \u20AC totals?  Really."));
        QCOMPARE(shownIcon, qtIcon);
        QVERIFY(!queue.IsHeld());
        QCoreApplication::processEvents();
        QCOMPARE(Codes(ran), (std::vector<int>{108}));
    }

    void clipboardRoundTripAndForeignText() {
        QtClipboard clipboard;
        const std::string record = "[Tape Line]\r\n8\xF7" "2\x80\r\n";
        clipboard.SetText(record);
        QCOMPARE(QGuiApplication::clipboard()->text(), QString::fromUtf16(u"[Tape Line]\r\n8\u00F7" "2\u20AC\r\n"));
        QCOMPARE(clipboard.GetText(), record);

        const QString foreign = QString::fromUtf16(u"12 \u4E2D");
        QGuiApplication::clipboard()->setText(foreign);
        QCOMPARE(clipboard.GetText(), std::string());
        QCOMPARE(QGuiApplication::clipboard()->text(), foreign);  // left as it was
    }

    void textMeasurerUsesTheFontAndTheConversion() {
        QtTextMeasurer measurer;
        TFontDescription font;
        font.Name = "DejaVu Sans";
        font.Size = 10;
        TFontDescription large = font;
        large.Size = 20;
        QVERIFY(measurer.TextWidth(large, "MMMM") > measurer.TextWidth(font, "MMMM"));
        QVERIFY(measurer.TextHeight(large, "") > measurer.TextHeight(font, ""));
        QCOMPARE(measurer.TextWidth(font, "\x80\xF7"),
                 QFontMetrics(ToQFont(font)).horizontalAdvance(QString::fromUtf16(u"\u20AC\u00F7")));
    }
};

TALLY_REGISTER_UI_TEST(TestUi);

}  // namespace tally

#include "test_ui.moc"
