// The desktop program's settings: loaded at start-up into the window, saved at exit, and a
// failed save reported in a message box. XDG_CONFIG_HOME points at a temporary folder.

#include <QApplication>
#include <QFile>
#include <QHeaderView>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>

#include <string>
#include <vector>

#include "documents/file_document.h"
#include "engine/tape/calculator.h"
#include "foundation/notifications/notifier.h"
#include "platform/deferred_requests.h"
#include "ui/desktop_settings.h"
#include "ui/frm_calc.h"
#include "ui/qt_notification_platform.h"
#include "ui/tape_grid.h"
#include "ui_program.h"
#include "ui_test_registry.h"

namespace tally {

namespace {

// Records message boxes instead of showing them.
class TMessageRecordingPlatform : public QtNotificationPlatform {
public:
    using QtNotificationPlatform::QtNotificationPlatform;
    TMessageBoxAnswer AskMessageBox(const std::string& text, const std::string& caption, TMessageBoxButtons,
                                    TMessageBoxIcon) override {
        boxes.push_back(caption + ": " + text);
        return TMessageBoxAnswer::Ok;
    }
    std::vector<std::string> boxes;
};

// The program as main() puts it together, with its settings.
struct SettingsProgram {
    SettingsProgram() {
        settings.Load();
        window = std::make_unique<TfrmCalc>(requests, &settings.Application(), &settings.ApplicationBus());
        settings.ApplyTo(*window);
        notifications.SetMainWindow(window.get());
    }
    TDeferredRequestQueue requests;
    TMessageRecordingPlatform notifications{requests};
    TInstalledNotifier notifier{notifications};
    TDesktopSettings settings;
    std::unique_ptr<TfrmCalc> window;
};

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteFile(const QString& path, const QByteArray& text) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text);
}

}  // namespace

class TestDesktopSettings : public QObject {
    Q_OBJECT

private slots:
    void init() {
        oldXdg_ = qgetenv("XDG_CONFIG_HOME");
        hadXdg_ = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
        folder_ = std::make_unique<QTemporaryDir>();
        qputenv("XDG_CONFIG_HOME", folder_->path().toUtf8());
        settingsFile_ = folder_->path() + "/tallyroll/tallyroll.ini";
    }
    void cleanup() {
        if (hadXdg_) {
            qputenv("XDG_CONFIG_HOME", oldXdg_);
        } else {
            qunsetenv("XDG_CONFIG_HOME");
        }
        folder_.reset();
    }

    void startUpAppliesTheTapeFontColoursAndHeight() {
        QDir().mkpath(folder_->path() + "/tallyroll");
        WriteFile(settingsFile_,
                  "[Miscellaneous Options]\nFormHeight=333\nGrandTotalColor=255\nZTLColor=65280\n"
                  "[Tape Screen Font]\nName=DejaVu Sans\nSize=17\nBold=0\nItalic=1\n");
        SettingsProgram program;
        TTapeGrid& grid = program.window->Grid();
        QCOMPARE(grid.font().pointSize(), 17);
        QVERIFY(grid.font().italic());
        QVERIFY(!grid.font().bold());
        // The rows and columns were measured with the tape font.
        QCOMPARE(grid.verticalHeader()->defaultSectionSize(), QFontMetrics(grid.font()).height() + 6);
        QCOMPARE(program.window->Tape().Colors().GrandTotal, 0x0000FFu);
        QCOMPARE(program.window->Tape().Colors().ZeroTotal, 0x00FF00u);
        QCOMPARE(program.window->height(), 333);
        QVERIFY(!program.window->Tape().IsModified());
        // Wide enough for the tape at its new font, and never narrower than the menus need.
        QVERIFY(program.window->width() >= grid.RequiredWidth());
        QVERIFY(program.window->width() >= program.window->menuBar()->sizeHint().width());
        // The columns were measured again with the larger font.
        TDeferredRequestQueue plainRequests;
        const TfrmCalc plain(plainRequests);
        QVERIFY(program.window->Tape().ColumnWidth(TTapeColumn::Entries) >
                plain.Tape().ColumnWidth(TTapeColumn::Entries));
    }

    // Every document the window makes later, and each of its tapes, asks the settings through
    // the file manager: the memory and auxiliary tapes too, in the tape font.
    void everyLaterTapeTakesTheSettings() {
        QDir().mkpath(folder_->path() + "/tallyroll");
        WriteFile(settingsFile_,
                  "[Miscellaneous Options]\nGrandTotalColor=255\n[Tape Screen Font]\nName=DejaVu Sans\nSize=17\nBold=1\n");
        SettingsProgram program;
        program.settings.Application().SetStartupDecimals(4);
        program.settings.PageLayoutDefaults().TapeTitle = "Budget";
        TfrmCalc& window = *program.window;
        window.NewAction()->trigger();
        TTlyFile& document = window.Document();
        document.EnableMemory(true);
        document.AddAuxTape();
        for (TCalculator* tape : document.EnabledTapes()) {
            const QString name = QString::fromStdString(tape->TapeName());
            QCOMPARE(tape->Colors().GrandTotal, 0x0000FFu);
            QCOMPARE(tape->StartupDecimalPlaces(), 4);
            QCOMPARE(tape->Title(), std::string("Budget"));
            TTapeGrid* grid = nullptr;
            for (TTapeGrid* shown : window.findChildren<TTapeGrid*>()) {
                if (shown->Tape() == tape) grid = shown;
            }
            QVERIFY2(grid != nullptr, qPrintable(name));
            QVERIFY2(grid->font().pointSize() == 17 && grid->font().bold(), qPrintable(name));
            QCOMPARE(grid->verticalHeader()->defaultSectionSize(), QFontMetrics(grid->font()).height() + 6);
            QVERIFY(!tape->IsModified());
        }
        QCOMPARE(document.EnabledTapes().size(), std::size_t{3});
    }

    // The first tape takes the general options of the settings file: the start-up decimal
    // places, no automatic total type (time entries add up as decimal hours) and the item count.
    void theFirstTapeTakesTheGeneralOptions() {
        QDir().mkpath(folder_->path() + "/tallyroll");
        WriteFile(settingsFile_,
                  "[Miscellaneous Options]\nStartupDecimals=4\nAutosetTotalType=0\nShowSeriesTotalItemCount=1\n");
        SettingsProgram program;
        TCalculator& tape = program.window->Tape();
        test::TypeOn(tape, "1:30+2:15\n");
        const std::vector<std::string_view> typed = {tape.Lines().Entries(0), tape.Lines().Entries(1),
                                                     tape.Lines().Entries(3), tape.Lines().Indicator(3)};
        QCOMPARE(typed, (std::vector<std::string_view>{"+01:30", "+02:15", "3.7500", "T(2)"}));
        QCOMPARE(tape.OpenSeriesDecimalPlaces(), 4);
    }

    // The first start has no settings file: the default font's narrow tape must not shrink the
    // window below its caption and menus.
    void firstStartKeepsTheWindowWideEnoughForItsMenus() {
        SettingsProgram program;
        QVERIFY(program.window->width() >= program.window->menuBar()->sizeHint().width());
    }

    void exitSavesTheWindowGeometryAndKeepsTheRest() {
        QDir().mkpath(folder_->path() + "/tallyroll");
        WriteFile(settingsFile_, "[PageLayoutDefaults]\nTitle=Kept\n[Miscellaneous Options]\nStartupDecimals=4\n");
        SettingsProgram program;
        program.window->resize(program.window->width(), 400);
        QVERIFY(program.settings.SaveFrom(*program.window));
        const QByteArray text = ReadFile(settingsFile_);
        QVERIFY(text.contains("FormHeight=400\n"));
        QVERIFY(text.contains("StartupDecimals=4\n"));
        QVERIFY(text.contains("[PageLayoutDefaults]\nTitle=Kept\n"));
        QVERIFY(program.notifications.boxes.empty());
    }

    // Permission bits do not stop root, so the settings folder's place is taken by a file.
    void aFailedSaveShowsTheFileAndTheReason() {
        WriteFile(folder_->path() + "/tallyroll", "not a folder");
        SettingsProgram program;
        QVERIFY(!program.settings.SaveFrom(*program.window));
        QCOMPARE(program.notifications.boxes.size(), std::size_t{1});
        const QString box = QString::fromStdString(program.notifications.boxes.front());
        QVERIFY2(box.startsWith("Tallyroll - Notify: The settings could not be saved to " + settingsFile_ + ".  "),
                 qPrintable(box));
        QVERIFY2(box.contains("cannot be created"), qPrintable(box));
        QCOMPARE(ReadFile(folder_->path() + "/tallyroll"), QByteArray("not a folder"));
    }

private:
    std::unique_ptr<QTemporaryDir> folder_;
    QString settingsFile_;
    QByteArray oldXdg_;
    bool hadXdg_ = false;
};

TALLY_REGISTER_UI_TEST(TestDesktopSettings);

}  // namespace tally

#include "desktop_settings_test.moc"
