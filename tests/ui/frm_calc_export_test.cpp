// File > Export Table To Text File... and File > Print To Internet Document File...: the name
// asked for in the save dialog, the visible document's table (or tape) written into it, Cancel
// writing nothing, and a failed write reported.

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <string>

#include "documents/file_document.h"
#include "table/results_table.h"
#include "table/table_manager.h"
#include "ui_program.h"
#include "ui_test_registry.h"

namespace tally {

namespace {

// Answers the save dialog with a name set beforehand and keeps the captions it was asked with.
class TSaveNameChooser : public IFileNameChooser {
public:
    QString OpenFileName(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    QString SaveFileName(QWidget*, const QString& caption, const QString&, const QString&, const QString&) override {
        captions << caption;
        return name;
    }
    QString name;
    QStringList captions;
};

struct ExportProgram : test::Program {
    ExportProgram() {
        auto owned = std::make_unique<TSaveNameChooser>();
        chooser = owned.get();
        window.SetFileNameChooser(std::move(owned));
        // A table with one data column holding 5.
        window.Document().AddTableNamed();
        TResultsTable& table = *window.Document().TableManager().CurrentTable();
        table.AddDataColumn("id1", 1, "Amount");
        table.PutValue(1, 1, "5");
    }
    QByteArray Contents(const QString& fileName) const {
        QFile file(fileName);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    TSaveNameChooser* chooser = nullptr;
    QTemporaryDir folder;
};

}  // namespace

class TestFrmCalcExport : public QObject {
    Q_OBJECT

private slots:
    void exportWritesTheTableIntoTheChosenFile() {
        ExportProgram program;
        program.chooser->name = program.folder.filePath(QStringLiteral("table.txt"));
        program.window.ExportTableAction()->trigger();
        QCOMPARE(program.chooser->captions, QStringList{"Tallyroll - Specify Table's Textfile Name"});
        QCOMPARE(program.Contents(program.chooser->name), QByteArray("\"Amount\"\r\n5\r\n"));
        QVERIFY(program.notifications.Beeps().empty());
    }

    void cancelWritesNothing() {
        ExportProgram program;
        program.window.ExportTableAction()->trigger();
        QCOMPARE(program.chooser->captions.size(), 1);
        QVERIFY(QDir(program.folder.path()).isEmpty());
        QVERIFY(program.notifications.Beeps().empty());
    }

    // With no table, or a table without data, the window says there is nothing to export and
    // asks for no name.
    void nothingToExportIsSaidBeforeANameIsAsked() {
        for (const bool withTable : {false, true}) {
            test::Program program;
            auto owned = std::make_unique<TSaveNameChooser>();
            const TSaveNameChooser& chooser = *owned;
            program.window.SetFileNameChooser(std::move(owned));
            if (withTable) program.window.Document().AddTableNamed();
            program.window.ExportTableAction()->trigger();
            QVERIFY(chooser.captions.isEmpty());
            const std::string expected = withTable ? "There is nothing to export.  The table holds no data."
                                                   : "There is nothing to export.  The document has no table.";
            QCOMPARE(program.notifications.Beeps(), std::vector<std::string>{expected});
        }
    }

    // A folder cannot be replaced by the file: the failure of either output is explained and
    // beeped.
    void aFileThatCannotBeWrittenIsReported() {
        struct TCase {
            QAction* (TfrmCalc::*Action)() const;
            std::string Failure;
        };
        for (const TCase& output : {TCase{&TfrmCalc::ExportTableAction, "Cannot export the table to \""},
                                    TCase{&TfrmCalc::InternetDocumentAction, "Cannot write the Internet document \""}}) {
            ExportProgram program;
            program.chooser->name = program.folder.path();
            (program.window.*output.Action)()->trigger();
            QCOMPARE(program.notifications.Beeps().size(), std::size_t{1});
            const std::string expected = output.Failure + program.folder.path().toStdString() + "\".";
            QVERIFY(program.notifications.Beeps().front().starts_with(expected));
            QVERIFY(QFileInfo(program.folder.path()).isDir());
        }
    }

    // The visible tape, then the visible table, each with the document's page layout; the
    // footer names the document.
    void internetDocumentOfTheVisibleTapeOrTable() {
        ExportProgram program;
        test::TypeOn(program.window.Tape(), "7+\n");
        program.chooser->name = program.folder.filePath(QStringLiteral("tape.htm"));
        program.window.InternetDocumentAction()->trigger();
        QCOMPARE(program.chooser->captions, QStringList{"Tallyroll - Specify Internet Document Filename"});
        const QByteArray tape = program.Contents(program.chooser->name);
        QVERIFY(tape.contains("<title>Tallyroll Tape tape.htm</title>\r\n"));
        QVERIFY(tape.contains("    <td align=\"right\">+7.00</td>\r\n"));
        QVERIFY(tape.contains("<p><font size=\"-1\">Tape in Untitled(1)</font></p>\r\n"));

        TTlyFile& document = program.window.Document();
        document.ShowTable(*document.TableManager().CurrentTable());
        program.chooser->name = program.folder.filePath(QStringLiteral("table.htm"));
        program.window.InternetDocumentAction()->trigger();
        const QByteArray table = program.Contents(program.chooser->name);
        QVERIFY(table.contains("    <th align=\"center\">Amount</th>\r\n"));
        QVERIFY(table.contains("    <td align=\"right\">5</td>\r\n"));
        QVERIFY(table.contains("<p><font size=\"-1\">Table in Untitled(1)</font></p>\r\n"));
        QVERIFY(program.notifications.Beeps().empty());
    }
};

TALLY_REGISTER_UI_TEST(TestFrmCalcExport);

}  // namespace tally

#include "frm_calc_export_test.moc"
