// The page layout, print and print preview commands and the export of the current table to a
// text file, sent on the application bus as the window sends them.

#include <filesystem>

#include "documents/file_manager_fixture.h"
#include "documents/file_manager_print_records.h"
#include "foundation/message_records.h"
#include "output/print_lists.h"
#include "table/results_table.h"
#include "table/table_manager.h"
#include "tapes/auxiliary_calculator_manager.h"

namespace tally::test {
namespace {

namespace ev = events;

class FileManagerPrintCommandsTest : public FileManagerTest {
protected:
    template <class Record>
    Record Read(std::string_view event) {
        Manager();
        Record record;
        appBus_.Handle(event, nullptr, &record);
        return record;
    }
    void Export(const std::string& fileName) {
        Manager();
        TMedString name;
        name.Value = fileName;
        appBus_.Handle(ev::FileMgr_ExportCurrentTableAsTextFile, &name, nullptr);
    }
    // The visible document's table: line numbers, data columns "C1" and "Two;Lines" and
    // annotations, one row holding 5 and 7.
    TResultsTable& FilledTable() {
        TTlyFile& document = Manager().Visible();
        document.AddTableNamed();
        TResultsTable& table = *document.TableManager().CurrentTable();
        table.AddDataColumn("id1", 1, "C1");
        table.AddDataColumn("id2", 2, "Two;Lines");
        table.SetLineNumbersShown(true);
        table.SetAnnotationsShown(true);
        EXPECT_TRUE(table.PutValue(2, 1, "5"));
        EXPECT_TRUE(table.PutValue(3, 1, "7"));
        return table;
    }
    std::string Contents(const std::string& fileName) const { return ReadWholeFile(fileName).Text; }
};

// The print commands leave the output to the window: whatever the destination, the document
// stays as it was.
TEST_F(FileManagerPrintCommandsTest, PrintCommandsChangeNothing) {
    TTlyFile& document = Manager().Visible();
    Type(document, "12\n");
    document.ClearModified();
    for (const char* destination : {"Printer", "Html", "NewWord", "ActiveWord"}) {
        TMedString in;
        in.Value = destination;
        appBus_.Handle(ev::FileMgr_PrintVisibleDocument, &in, nullptr);
    }
    appBus_.Handle(ev::FileMgr_PrintPreviewVisibleDocument, nullptr, nullptr);
    EXPECT_FALSE(document.IsModified());
    EXPECT_FALSE(document.StructureModified());
    EXPECT_EQ(Entries(document), (std::vector<std::string>{"+12.00", "==========", "12.00"}));
}

// The records follow the visible page: a tape prints with the tapes' report properties, the
// table with the table's.
TEST_F(FileManagerPrintCommandsTest, RecordsFollowTheVisiblePage) {
    TTlyFile& document = Manager().Visible();
    document.EnableMemory(true);
    document.ShowTape(*document.MemoryTape());

    auto preview = Read<TMedFileMgr_PrintPreviewFormInfo>(ev::FileMgr_GetPrintPreviewFormInfo);
    EXPECT_EQ(preview.FileName, "Untitled(1)");
    EXPECT_EQ(preview.VisibleName, "Memory");
    EXPECT_EQ(preview.VisibleKind, TVisibleKind::MemoryTape);

    auto print = Read<TMedVisibleDocPrintParams>(ev::FileMgr_GetVisibleDocPrintParams);
    EXPECT_EQ(print.VisibleKind, TVisibleKind::MemoryTape);
    EXPECT_EQ(print.Tape, document.MemoryTape());
    EXPECT_EQ(print.Table, nullptr);
    EXPECT_EQ(print.PageLayout, &document.PageLayout());
    EXPECT_EQ(print.ReportProps, &document.TapeReportProps());
    EXPECT_EQ(print.UsedAtLinePrefix, "Used at line ");
    EXPECT_EQ(print.FromLinePrefix, "From line ");
    EXPECT_EQ(print.LinksSampleText, "Used at line  M999-");
    EXPECT_EQ(print.EntriesColumn, 0);
    // With line numbers shown the Entries column moves right.
    document.ShowColumn(TTapeColumn::Line, true);
    EXPECT_EQ(Read<TMedVisibleDocPrintParams>(ev::FileMgr_GetVisibleDocPrintParams).EntriesColumn,
              document.MainTape().ColumnPosition(TTapeColumn::Entries));
    EXPECT_GT(document.MainTape().ColumnPosition(TTapeColumn::Entries), 0);

    auto layout = Read<TMedPageLayoutFormParams>(ev::FileMgr_GetPageLayoutFormParams);
    EXPECT_EQ(layout.CurrentTape, document.MemoryTape());
    EXPECT_EQ(layout.MainTape, &document.MainTape());
    EXPECT_EQ(layout.MemoryTape, document.MemoryTape());
    EXPECT_EQ(layout.SideTape, nullptr);
    EXPECT_EQ(layout.TableManager, &document.TableManager());
    EXPECT_EQ(layout.AuxManager, &document.AuxManager());
    EXPECT_EQ(layout.PageLayout, &document.PageLayout());
    EXPECT_EQ(layout.TapeReportProps, &document.TapeReportProps());
    EXPECT_EQ(layout.TableReportProps, &document.TableReportProps());
    EXPECT_EQ(layout.VisibleKind, TVisibleKind::MemoryTape);
    EXPECT_EQ(layout.FileName, "Untitled(1)");

    TResultsTable& table = FilledTable();
    document.ShowTable(table);
    preview = Read<TMedFileMgr_PrintPreviewFormInfo>(ev::FileMgr_GetPrintPreviewFormInfo);
    EXPECT_EQ(preview.VisibleName, "Table A");
    EXPECT_EQ(preview.VisibleKind, TVisibleKind::Table);
    print = Read<TMedVisibleDocPrintParams>(ev::FileMgr_GetVisibleDocPrintParams);
    EXPECT_EQ(print.VisibleKind, TVisibleKind::Table);
    EXPECT_EQ(print.Tape, nullptr);
    EXPECT_EQ(print.Table, &table);
    EXPECT_EQ(print.ReportProps, &document.TableReportProps());
    layout = Read<TMedPageLayoutFormParams>(ev::FileMgr_GetPageLayoutFormParams);
    EXPECT_EQ(layout.CurrentTape, &document.MainTape());
    EXPECT_EQ(layout.VisibleKind, TVisibleKind::Table);
}

// The list is emptied first; the current table puts in its print columns in order: the line
// numbers and the data right aligned, the annotations left aligned and wrapped.
TEST_F(FileManagerPrintCommandsTest, CurrentTableFillsThePrintColumnList) {
    TPrintColPropList list;
    list.Add({7, 9, TTapeColumn::Links, "old"});
    TMedPrintColPropList in;
    in.List = &list;
    Manager();
    appBus_.Handle(ev::FileMgr_FillCurrTablePrintColPropList, &in, nullptr);
    EXPECT_TRUE(list.Empty());  // no table

    TResultsTable& table = FilledTable();
    list.Add({7, 9, TTapeColumn::Links, "old"});
    appBus_.Handle(ev::FileMgr_FillCurrTablePrintColPropList, &in, nullptr);
    struct Expected {
        std::int32_t OrderKey;
        std::int32_t GridColumn;
        TTapeColumn Kind;
        std::string Heading;
        TTextAlign Alignment;
        bool Wrap;
    };
    const Expected expected[] = {
        {0, 1, TTapeColumn::Line, "Line", TTextAlign::Right, false},
        {1, 2, TTapeColumn::Entries, "C1", TTextAlign::Right, false},
        {2, 3, TTapeColumn::Entries, "Two\r\nLines", TTextAlign::Right, false},
        {3, 4, TTapeColumn::Annotations, "Annotations", TTextAlign::Left, true},
    };
    ASSERT_EQ(list.Items().size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        const TPrintColPropListItem& item = list.Items()[i];
        SCOPED_TRACE(item.Heading);
        EXPECT_EQ(item.OrderKey, expected[i].OrderKey);
        EXPECT_EQ(item.GridColumn, expected[i].GridColumn);
        EXPECT_EQ(item.Kind, expected[i].Kind);
        EXPECT_EQ(item.Heading, expected[i].Heading);
        EXPECT_EQ(item.Alignment, expected[i].Alignment);
        EXPECT_EQ(item.Wrap, expected[i].Wrap);
        EXPECT_FALSE(item.Links);
    }

    // A print selection prints only the selected columns.
    table.SetPrintSelection(3, true);
    appBus_.Handle(ev::FileMgr_FillCurrTablePrintColPropList, &in, nullptr);
    ASSERT_EQ(list.Items().size(), 1u);
    EXPECT_EQ(list.Items()[0].GridColumn, 3);
    EXPECT_EQ(list.Items()[0].OrderKey, 0);
}

TEST_F(FileManagerPrintCommandsTest, ExportWritesTheCurrentTable) {
    const std::string fileName = folder_.File("table.txt");
    Export(fileName);  // no table
    EXPECT_FALSE(std::filesystem::exists(fileName));

    TResultsTable& table = FilledTable();
    Export(fileName);
    EXPECT_EQ(Contents(fileName),
              "\"Line\"\t\"C1\"\t\"Two Lines\"\t\"Annotations\"\r\n"
              "1\t5\t7\t\"\"\r\n");

    // A table without data has nothing to export either: the file keeps its text.
    table.EmptyTable();
    Export(fileName);
    EXPECT_EQ(Contents(fileName),
              "\"Line\"\t\"C1\"\t\"Two Lines\"\t\"Annotations\"\r\n"
              "1\t5\t7\t\"\"\r\n");
    EXPECT_EQ(platform_.Explanations(),
              (std::vector<std::string>{"There is nothing to export.  The document has no table.",
                                        "There is nothing to export.  The table holds no data."}));
    EXPECT_EQ(Manager().WritesNotDone(), 2);
}

// A file that cannot be written is explained, beeped and shown at once; the file it was to
// replace keeps its text.
TEST_F(FileManagerPrintCommandsTest, FailedExportIsReported) {
    const std::string fileName = folder_.File("table.txt");
    ASSERT_TRUE(WriteFileAtomically(fileName, "old"));
    FilledTable();
    calls_.Failing = true;
    Export(fileName);
    const std::string expected = "Cannot export the table to \"" + fileName + "\".  No space left on device.";
    EXPECT_EQ(platform_.Explanations(), std::vector<std::string>{expected});
    EXPECT_EQ(Shown(), expected);
    EXPECT_EQ(Contents(fileName), "old");
}

}  // namespace
}  // namespace tally::test
