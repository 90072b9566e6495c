#include "output/table_print_columns.h"

#include "table/results_table.h"

namespace tally {

void FillTablePrintColumns(const TResultsTable& table, TPrintColPropList& list) {
    std::int32_t orderKey = 0;
    for (const TTablePrintColumn& column : table.PrintColumnList()) {
        TPrintColPropListItem item;
        item.OrderKey = orderKey++;
        item.GridColumn = column.Column;
        item.Kind = column.IsAnnotation                       ? TTapeColumn::Annotations
                    : table.IsLineNumberColumn(column.Column) ? TTapeColumn::Line
                                                              : TTapeColumn::Entries;
        item.Heading = column.Heading;
        item.Alignment = column.IsAnnotation ? TTextAlign::Left : TTextAlign::Right;
        item.Wrap = column.IsAnnotation;
        list.Add(std::move(item));
    }
}

}  // namespace tally
