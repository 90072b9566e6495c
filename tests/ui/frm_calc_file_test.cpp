// The window's File menu: Save on a never-saved document asks for a name, Open shows the file's
// document in place of the one shown, and failures are reported and change nothing.

#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include <string>
#include <vector>

#include "documents/file_document.h"
#include "engine/tape/calculator.h"
#include "ui/tape_grid.h"
#include "ui_program.h"
#include "ui_test_registry.h"

namespace tally {

namespace {

using test::Program;

// Answers the file dialogs with names set beforehand and keeps what they were asked.
class TTestChooser : public IFileNameChooser {
public:
    QString OpenFileName(QWidget*, const QString& caption, const QString&, const QString& filter) override {
        asked << caption + " | " + filter;
        return openName;
    }
    QString SaveFileName(QWidget*, const QString& caption, const QString& start, const QString&,
                         const QString&) override {
        asked << caption + " | " + start;
        return saveName;
    }
    QString openName;
    QString saveName;
    QStringList asked;
};

// Records message boxes instead of showing them, answering each question with `answer`.
class TBoxRecordingPlatform : public QtNotificationPlatform {
public:
    using QtNotificationPlatform::QtNotificationPlatform;
    TMessageBoxAnswer AskMessageBox(const std::string& text, const std::string& caption, TMessageBoxButtons buttons,
                                    TMessageBoxIcon) override {
        boxes.push_back(caption + ": " + text);
        return buttons == TMessageBoxButtons::Ok ? TMessageBoxAnswer::Ok : answer;
    }
    std::vector<std::string> boxes;
    TMessageBoxAnswer answer = TMessageBoxAnswer::Cancel;
};

struct FileProgram : Program {
    FileProgram() {
        auto owned = std::make_unique<TTestChooser>();
        chooser = owned.get();
        window.SetFileNameChooser(std::move(owned));
    }
    // '\n' is the Enter key.
    void Type(const QString& keys) {
        for (const QChar key : keys) {
            if (key == QLatin1Char('\n')) {
                QTest::keyClick(window.Grid().CellEditor(), Qt::Key_Return);
            } else {
                QTest::keyClicks(window.Grid().CellEditor(), QString(key));
            }
            QCoreApplication::processEvents();
        }
    }
    std::string Entries(LineIndex line) const {
        return std::string(window.Document().MainTape().Lines().Entries(line));
    }
    std::vector<std::string> AllEntries() const {
        std::vector<std::string> entries;
        const TLineStore& lines = window.Document().MainTape().Lines();
        for (LineIndex line = 0; line < lines.LineCount(); ++line) entries.emplace_back(lines.Entries(line));
        return entries;
    }
    std::string Path(const char* name) const { return folder.filePath(QString::fromLatin1(name)).toStdString(); }

    TTestChooser* chooser = nullptr;
    TBoxRecordingPlatform boxes{requests};
    TInstalledNotifier recording{boxes};
    QTemporaryDir folder;
};

}  // namespace

class TestFrmCalcFile : public QObject {
    Q_OBJECT

private slots:
    void saveOfANewDocumentAsksForANameAndOpenBringsTheFileBack() {
        FileProgram program;
        program.Type(QStringLiteral("12+5\n"));
        program.chooser->saveName = program.folder.filePath(QStringLiteral("budget.tly"));
        program.window.SaveAction()->trigger();
        QCOMPARE(program.chooser->asked, QStringList{"Save Tallyroll File As | "});
        QVERIFY(QFile::exists(program.chooser->saveName));
        QCOMPARE(program.window.windowTitle(), QStringLiteral("Tallyroll - budget.tly"));
        QVERIFY(!program.window.Document().IsModified());

        // Saved once, Save writes to the same file without asking.
        program.Type(QStringLiteral("3\n"));
        QVERIFY(program.window.SaveDocument());
        QCOMPARE(program.chooser->asked.size(), 1);
        const std::vector<std::string> saved = program.AllEntries();
        QCOMPARE(saved.size(), std::size_t{8});  // three entries, two totals under their rules, the entry line

        // A changed document is only replaced as the user answers: Cancel keeps it.
        program.Type(QStringLiteral("4\n"));
        const TTlyFile* before = &program.window.Document();
        program.chooser->openName = program.chooser->saveName;
        program.window.OpenAction()->trigger();
        QCOMPARE(program.chooser->asked.last(),
                 QStringLiteral("Open Tallyroll File | Tallyroll files (*.tly);;All files (*)"));
        QCOMPARE(program.boxes.boxes,
                 std::vector<std::string>{
                     "Tallyroll - Confirm: File \"budget.tly\" changed.  \r\nDo you want to save the changes?"});
        QCOMPARE(&program.window.Document(), before);

        program.boxes.answer = TMessageBoxAnswer::No;
        program.window.OpenAction()->trigger();
        QVERIFY(&program.window.Document() != before);
        QCOMPARE(program.window.Document().FileName(), program.Path("budget.tly"));
        QCOMPARE(program.window.windowTitle(), QStringLiteral("Tallyroll - budget.tly"));
        QCOMPARE(program.AllEntries(), saved);
        QVERIFY(!program.window.Document().IsModified());
        // Typing goes on at the end of the opened tape.
        program.Type(QStringLiteral("6\n"));
        QCOMPARE(program.Entries(7), std::string("+6.00"));
    }

    void aFailedOpenOrSaveIsReportedAndChangesNothing() {
        FileProgram program;
        program.Type(QStringLiteral("7\n"));
        const TTlyFile* shown = &program.window.Document();
        const QString caption = program.window.windowTitle();
        const std::string notOurs = program.Path("notes.tly");
        QFile file(QString::fromStdString(notOurs));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("shopping list\r\n");
        file.close();

        program.chooser->openName = QString::fromStdString(notOurs);
        program.window.OpenAction()->trigger();
        // A name in a folder that cannot exist: the plain file stands where the folder should be.
        program.chooser->saveName = QString::fromStdString(notOurs + "/budget.tly");
        program.window.SaveAsAction()->trigger();

        QCOMPARE(program.boxes.boxes.size(), std::size_t{2});
        QCOMPARE(program.boxes.boxes[0],
                 "Tallyroll - Notify: Cannot open file \"" + notOurs + "\".  It is not a Tallyroll file.");
        const std::string saveFailure = "Tallyroll - Notify: Cannot save file \"" + notOurs + "/budget.tly\".  ";
        QCOMPARE(program.boxes.boxes[1].substr(0, saveFailure.size()), saveFailure);
        QCOMPARE(&program.window.Document(), shown);
        QCOMPARE(program.window.windowTitle(), caption);
        QCOMPARE(program.Entries(0), std::string("+7.00"));
        QVERIFY(program.window.Document().IsModified());
        QVERIFY(!program.window.Document().HasFile());
    }

    // Closing the window asks about a changed document: Cancel keeps the window open, Yes saves.
    void closingAChangedDocumentAsksToSaveIt() {
        FileProgram program;
        program.Type(QStringLiteral("9\n"));
        QVERIFY(!program.window.close());
        QVERIFY(program.window.isVisible());
        QCOMPARE(program.boxes.boxes,
                 std::vector<std::string>{
                     "Tallyroll - Confirm: File \"Untitled(1)\" changed.  \r\nDo you want to save the changes?"});

        program.boxes.answer = TMessageBoxAnswer::Yes;
        program.chooser->saveName = program.folder.filePath(QStringLiteral("closed.tly"));
        QVERIFY(program.window.close());
        QVERIFY(QFile::exists(program.chooser->saveName));
    }
};

TALLY_REGISTER_UI_TEST(TestFrmCalcFile);

}  // namespace tally

#include "frm_calc_file_test.moc"
