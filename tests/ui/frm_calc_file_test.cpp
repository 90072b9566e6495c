// The window's File menu on several documents: Save on a never-saved document asks for a name,
// Open reads a file over the only empty document or into a tab of its own, Close and leaving
// the program ask about changes, the Reopen menu opens the files used last, and failures are
// reported and change nothing.

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <string>
#include <vector>

#include "documents/file_document.h"
#include "documents/file_manager.h"
#include "foundation/notifications/notifier.h"
#include "engine/tape/calculator.h"
#include "ui/file_name_chooser.h"
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

        // Closed unchanged, the only document becomes an empty untitled one, which Open reads
        // the file over.
        program.window.CloseAction()->trigger();
        QVERIFY(program.boxes.boxes.empty());
        QCOMPARE(program.window.windowTitle(), QStringLiteral("Tallyroll - Untitled(1)"));
        QVERIFY(program.AllEntries().size() < saved.size());
        program.chooser->openName = program.chooser->saveName;
        program.window.OpenAction()->trigger();
        QCOMPARE(program.chooser->asked.last(),
                 "Open Tallyroll File | Tallyroll files (*.tly);;All files (*)");
        QCOMPARE(program.window.Files().Count(), 1);
        QCOMPARE(program.window.Document().FileName(), program.Path("budget.tly"));
        QCOMPARE(program.window.windowTitle(), QStringLiteral("Tallyroll - budget.tly"));
        QCOMPARE(program.AllEntries(), saved);
        QVERIFY(!program.window.Document().IsModified());
        // Typing goes on at the end of the opened tape.
        program.Type(QStringLiteral("6\n"));
        QCOMPARE(program.Entries(7), std::string("+6.00"));
        // Opened again, the file is shown, not read a second time.
        program.window.OpenAction()->trigger();
        QCOMPARE(program.window.Files().Count(), 1);
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
        QCOMPARE(Notifier().LastBeepExplanation(), "File \"" + notOurs + "\" is not a Tallyroll file.");
        // A name in a folder that cannot exist: the plain file stands where the folder should be.
        program.chooser->saveName = QString::fromStdString(notOurs + "/budget.tly");
        program.window.SaveAsAction()->trigger();

        QCOMPARE(program.boxes.boxes.size(), std::size_t{1});
        const std::string saveFailure = "Tallyroll - Notify: Cannot save file \"" + notOurs + "/budget.tly\".  ";
        QCOMPARE(program.boxes.boxes[0].substr(0, saveFailure.size()), saveFailure);
        QCOMPARE(&program.window.Document(), shown);
        QCOMPARE(program.window.Files().Count(), 1);
        QCOMPARE(program.window.windowTitle(), caption);
        QCOMPARE(program.Entries(0), std::string("+7.00"));
        QVERIFY(program.window.Document().IsModified());
        QVERIFY(program.window.Files().VisibleFile().Untitled);
    }

    // Closing the window asks about a changed document: Cancel keeps the window open and the
    // settings as they were; Yes saves and stores the enabled parts for the next run.
    void closingAChangedDocumentAsksToSaveIt() {
        FileProgram program;
        program.Type(QStringLiteral("9\n"));
        program.window.RunDocumentCommand("EnableMemory");
        program.window.Document().AddAuxTape();
        QVERIFY(!program.window.close());
        QVERIFY(program.window.isVisible());
        QVERIFY(!program.settings.MemoryEnabled);
        QCOMPARE(program.boxes.boxes,
                 std::vector<std::string>{
                     "Tallyroll - Confirm: File \"Untitled(1)\" changed.  \r\nDo you want to save the changes?"});

        program.boxes.answer = TMessageBoxAnswer::Yes;
        program.chooser->saveName = program.folder.filePath(QStringLiteral("closed.tly"));
        QVERIFY(program.window.close());
        QVERIFY(QFile::exists(program.chooser->saveName));
        QVERIFY(program.settings.MemoryEnabled);
        QCOMPARE(program.settings.AuxTapeIds, std::string("a"));

        // The next run's first document starts with them (its settings as the file kept them).
        TStMediator nextBus;
        TApplControlData nextSettings(&nextBus, program.storage);
        nextSettings.MemoryEnabled = program.settings.MemoryEnabled;
        nextSettings.AuxTapeIds = program.settings.AuxTapeIds;
        TDeferredRequestQueue nextRequests;
        const TfrmCalc next(nextRequests, &nextSettings, &nextBus);
        QVERIFY(next.Document().MemoryTape() != nullptr);
        QCOMPARE(next.Document().AuxiliaryTapes().size(), std::size_t{1});
    }

    // Each document has a tab; New, Save As, Close and the Reopen menu go through the file manager.
    void newSaveAsCloseAndReopenWorkOnTabs() {
        FileProgram program;
        program.Type(QStringLiteral("1\n"));
        program.window.NewAction()->trigger();
        QCOMPARE(program.window.FileTabs()->count(), 2);
        QCOMPARE(program.window.FileTabs()->currentIndex(), 1);
        QCOMPARE(program.window.windowTitle(), QStringLiteral("Tallyroll - Untitled(2)"));
        program.Type(QStringLiteral("8\n"));
        QCOMPARE(program.Entries(0), std::string("+8.00"));

        program.chooser->saveName = program.folder.filePath(QStringLiteral("second.tly"));
        program.window.SaveAsAction()->trigger();
        QVERIFY(QFile::exists(program.chooser->saveName));
        QCOMPARE(program.window.FileTabs()->tabText(1), QStringLiteral("second.tly"));
        QCOMPARE(program.window.windowTitle(), QStringLiteral("Tallyroll - second.tly"));

        // A click on the first tab shows the first document; its keys go to its own tape.
        QTabBar* tabs = program.window.FileTabs()->tabBar();
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(0).center());
        QCoreApplication::processEvents();
        QCOMPARE(program.window.windowTitle(), QStringLiteral("Tallyroll - Untitled(1)"));
        QCOMPARE(program.Entries(0), std::string("+1.00"));
        QTest::keyClick(program.window.FileTabs(), Qt::Key_Tab, Qt::ControlModifier);
        QCoreApplication::processEvents();
        QCOMPARE(program.window.windowTitle(), QStringLiteral("Tallyroll - second.tly"));

        program.window.CloseAction()->trigger();
        QCOMPARE(program.window.FileTabs()->count(), 1);
        QCOMPARE(program.window.windowTitle(), QStringLiteral("Tallyroll - Untitled(1)"));

        emit program.window.ReopenMenu()->aboutToShow();
        const QList<QAction*> reopen = program.window.ReopenMenu()->actions();
        QCOMPARE(reopen.size(), 1);
        QCOMPARE(reopen.front()->text(), QStringLiteral("&1 ") + program.chooser->saveName);
        reopen.front()->trigger();
        QCOMPARE(program.window.FileTabs()->count(), 2);
        QCOMPARE(program.window.windowTitle(), QStringLiteral("Tallyroll - second.tly"));
        QCOMPARE(program.Entries(0), std::string("+8.00"));
        QVERIFY(program.boxes.boxes.empty());
    }

    // The Reopen menu follows the list from the start, also while it is empty (a submenu with
    // no items never opens, so filling it only when it opens kept it empty); opening the File
    // menu drops the files that have gone.
    void theReopenMenuFollowsTheListFromAnEmptyStart() {
        FileProgram program;
        QMenu* reopen = program.window.ReopenMenu();
        QVERIFY(reopen->actions().isEmpty());
        QVERIFY(!reopen->isEnabled());

        program.Type(QStringLiteral("1\n"));
        program.chooser->saveName = program.folder.filePath(QStringLiteral("first.tly"));
        program.window.SaveAsAction()->trigger();
        QCOMPARE(reopen->actions().size(), 1);
        QVERIFY(reopen->isEnabled());
        QCOMPARE(reopen->actions().front()->text(), QStringLiteral("&1 ") + program.chooser->saveName);

        // Past nine files the items go on with letters.
        program.settings.SetMaxMRUFiles(12);
        QStringList names;
        for (int i = 0; i < 10; ++i) {
            const QString name = program.folder.filePath(QStringLiteral("file%1.tly").arg(i));
            QFile file(name);
            QVERIFY(file.open(QIODevice::WriteOnly));
            program.settings.AddToReopenList(name.toStdString());
            names.prepend(name);
        }
        QCOMPARE(reopen->actions().size(), 11);
        QCOMPARE(reopen->actions().at(9)->text(), QStringLiteral("&A ") + names.at(9));

        QVERIFY(QFile::remove(names.front()));
        auto* fileMenu = qobject_cast<QMenu*>(reopen->parentWidget());
        QVERIFY(fileMenu != nullptr);
        emit fileMenu->aboutToShow();
        QCOMPARE(reopen->actions().size(), 10);
        QCOMPARE(reopen->actions().front()->text(), QStringLiteral("&1 ") + names.at(1));
    }

    // Save As onto a file another open document has is refused before anything is asked: the
    // file dialog does not ask whether to replace it, and the file stays as it was. A file no
    // document has is replaced only when the user says yes.
    void saveAsRefusesAnotherDocumentsFileBeforeAsking() {
        FileProgram program;
        program.Type(QStringLiteral("1\n"));
        const QString taken = program.folder.filePath(QStringLiteral("taken.tly"));
        program.chooser->saveName = taken;
        program.window.SaveAsAction()->trigger();
        QFile file(taken);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray firstSaved = file.readAll();
        file.close();
        program.window.NewAction()->trigger();
        program.Type(QStringLiteral("2\n"));

        // From here the real dialogs: a timer answers the file dialog with `chosen` and notes
        // every other question a dialog asks, answering yes.
        program.window.SetFileNameChooser(std::make_unique<QtFileNameChooser>());
        QString chosen;
        QStringList dialogQuestions;
        QTimer answerer;
        connect(&answerer, &QTimer::timeout, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
                // Typed into the name box, as the user does (selectFile would reload the folder
                // at every tick).
                auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
                if (name == nullptr) return;
                name->setText(chosen);
                // The file dialog's own checks run, from an event of their own: a question the
                // dialog asks must find this timer free to answer it.
                QTimer::singleShot(0, dialog, [dialog] { static_cast<QDialog*>(dialog)->accept(); });
            } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                dialogQuestions << box->text();
                if (QAbstractButton* yes = box->button(QMessageBox::Yes)) yes->click();
                else box->accept();
            }
        });
        answerer.start(10);

        chosen = taken;
        program.window.SaveAsAction()->trigger();
        QCOMPARE(dialogQuestions, QStringList{});
        QCOMPARE(program.boxes.boxes,
                 std::vector<std::string>{"Tallyroll - Notify: Save not done. Another open file has the same file name."});
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), firstSaved);
        file.close();
        QVERIFY(program.window.Files().VisibleFile().Untitled);

        // An existing file of no open document: the program asks, No keeps it.
        const QString other = program.folder.filePath(QStringLiteral("other.tly"));
        QFile otherFile(other);
        QVERIFY(otherFile.open(QIODevice::WriteOnly));
        otherFile.write("kept\r\n");
        otherFile.close();
        const std::string replace = "Tallyroll - Confirm: File \"" + other.toStdString() +
                                    "\" already exists.  \r\nDo you want to replace it?";
        for (const TMessageBoxAnswer answer : {TMessageBoxAnswer::No, TMessageBoxAnswer::Yes}) {
            program.boxes.boxes.clear();
            program.boxes.answer = answer;
            chosen = other;
            program.window.SaveAsAction()->trigger();
            QCOMPARE(dialogQuestions, QStringList{});
            QCOMPARE(program.boxes.boxes, std::vector<std::string>{replace});
            QCOMPARE(program.window.Files().VisibleFile().Untitled, answer == TMessageBoxAnswer::No);
            QVERIFY(otherFile.open(QIODevice::ReadOnly));
            QCOMPARE(otherFile.readAll() == "kept\r\n", answer == TMessageBoxAnswer::No);
            otherFile.close();
        }
    }

    // Close on a changed document asks first: Yes saves (a save that does not happen keeps it),
    // No drops the changes, Cancel keeps it.
    void closeAsksAboutAChangedDocument() {
        struct Case {
            const char* name;
            TMessageBoxAnswer answer;
            QString saveName;
            bool closed;
            bool written;
        };
        const Case cases[] = {
            {"cancel", TMessageBoxAnswer::Cancel, QStringLiteral("kept.tly"), false, false},
            {"no", TMessageBoxAnswer::No, QStringLiteral("dropped.tly"), true, false},
            {"yes", TMessageBoxAnswer::Yes, QStringLiteral("saved.tly"), true, true},
            {"yes, save as cancelled", TMessageBoxAnswer::Yes, QString(), false, false},
        };
        for (const Case& c : cases) {
            FileProgram program;
            program.window.NewAction()->trigger();
            program.Type(QStringLiteral("4\n"));
            program.boxes.answer = c.answer;
            program.chooser->saveName = c.saveName.isEmpty() ? QString() : program.folder.filePath(c.saveName);
            program.window.CloseAction()->trigger();
            QCOMPARE(program.boxes.boxes,
                     std::vector<std::string>{
                         "Tallyroll - Confirm: File \"Untitled(2)\" changed.  \r\nDo you want to save the changes?"});
            QVERIFY2(program.window.Files().Count() == (c.closed ? 1 : 2), c.name);
            QVERIFY2(program.window.FileTabs()->count() == program.window.Files().Count(), c.name);
            if (!c.saveName.isEmpty()) QVERIFY2(QFile::exists(program.chooser->saveName) == c.written, c.name);
        }
    }
};

TALLY_REGISTER_UI_TEST(TestFrmCalcFile);

}  // namespace tally

#include "frm_calc_file_test.moc"
