#pragma once
// A document with every part in use, filled through the file's view of it, so the hand-wired
// test document and the real one are filled alike. `typist` types keys into a tape and runs
// the requests a tape posted (Type, RunRequests).

#include <gtest/gtest.h>

#include "documents/tly_document_parts.h"
#include "engine/tape/calculator.h"
#include "links/link_test_fixture.h"
#include "output/page_model.h"
#include "settings/tape_page_layout.h"
#include "table/results_table.h"
#include "tapes/calculator_memory.h"

namespace tally::test {

// Main tape: two series closed by zero totals, a group total, a series with an embedded
// series, a grand total, a linked entry and annotations with line breaks.
template <class Typist>
void FillFullDocument(ITlyDocumentParts& document, Typist& typist) {
    TCalculator& main = document.MainTape();
    main.SetColumnShown(TTapeColumn::Annotations, true);
    main.SetColumnShown(TTapeColumn::Line, true);
    main.SetColumnWidth(TTapeColumn::Entries, 123);
    main.SetShowSeriesTotalItemCount(true);
    typist.Type(main, "12.5+7\n");
    ASSERT_TRUE(main.ZeroTotal());
    typist.Type(main, "3+4.25\n");
    ASSERT_TRUE(main.ZeroTotal());
    ASSERT_TRUE(main.InsertGroupTotalAt(main.LastLine()));
    typist.Type(main, "100+\b");
    ASSERT_TRUE(main.InsertNewEmbeddedSeries());
    typist.Type(main, "3+4\n");
    typist.Type(main, "\n");
    ASSERT_TRUE(main.ZeroTotal());
    ASSERT_TRUE(main.InsertGrandTotalAt(main.LastLine()));
    // The open last series keeps its own decimal places, which must not be re-rounded.
    main.SetOpenSeriesDecimalPlaces(3);
    typist.Type(main, "1.2345+1\n");
    main.Lines().SetCell(0, TLineColumn::Annotations, "first\r\nsecond\rthird\nfourth <CR> [GlobalParameters]");
    main.Lines().SetCell(1, TLineColumn::Annotations, "end\n[TapeData]");
    main.Lines().SetProperty(0, LineKey::kLinkId, "AS+" + test::Num(7));
    main.SetTitle("Budget;2026");
    main.SetPageHeader("Page\nheading");
    main.SetNoteLines({"note one", "", "[NoteText]"});
    main.SetDataEntryOption(DataEntryOption::kAddingMachine);

    auto& memory = static_cast<TCalculatorMemory&>(document.EnableMemoryTape());
    ASSERT_TRUE(memory.StoreEntry("+5.00", 2, "DE", "", "from T3\r\nmemo", false));
    ASSERT_TRUE(memory.StoreEntry("1.25", 2, "DE", "", "", true));
    typist.RunRequests(memory);
    memory.SetTitle("Memory title");

    TCalculator& side = document.EnableSideTape();
    typist.Type(side, "2X3\n");
    side.SetNoteLines({"side note"});

    TCalculator* auxB = document.AddAuxiliaryTape("Aux B");
    TCalculator* auxC = document.AddAuxiliaryTape("Aux C");
    ASSERT_TRUE(auxB && auxC);
    document.SetTapeLabel(*auxB, "Travel\r\ncosts");
    document.SetTapeLabel(*auxC, "Hours");
    typist.Type(*auxB, "1+2\n");
    auxB->Lines().SetProperty(0, LineKey::kLinkId, "AD+" + test::Num(7));
    typist.Type(*auxC, "9:30+1:15\n");

    TResultsTable* table = document.AddTable("Table A");
    ASSERT_TRUE(table);
    table->AddDataColumn("c1", 1, "Amounts");
    table->PutValue(1, 1, "12.50");
    table->PutValue(1, 2, "1,234.50");
    table->SetAnnotationsShown(true);
    table->SetAnnotation(1, "row note");
    table->SetHeading(1, "Two\r\nlines\nand <LT>");
    table->SetTitle("Table title");
    table->NoteLines() = {"table note"};

    document.SetRoundingMethod(TRoundingMethod::Even);
    TTapePrintFlags flags = document.PageLayout().TapeFlags();
    flags.ShowRowLines = true;
    flags.GrandTotalPrintHiliteColor = 0x123456;
    document.PageLayout().SetTapeFlags(flags);
    document.PageLayout().SetTapeColumnGroups(false, 3);
    TTablePrintFlags tableFlags = document.PageLayout().TableFlags();
    tableFlags.ShowBlankLines = true;
    document.PageLayout().SetTableFlags(tableFlags);
    document.PageLayout().SetTableLinesPerGroup(7);
    document.PageLayout().RefreshTapeFields();
    document.PageLayout().AddPrintField(TTapeColumn::Entries, 0);
    document.PageLayout().AddPrintField(TTapeColumn::Annotations, 1);
    document.TapeReportProps().Font = {"Courier New", 12};
    document.TapeReportProps().SetLeftMargin(1.5L);
    document.TableReportProps().SetUnits(TPageUnits::Millimetres);
    document.TableReportProps().SetTopMargin(20.0L);
    document.TableReportProps().SetOrientation("Landscape");
}

}  // namespace tally::test
