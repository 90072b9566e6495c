// The results table written to a tab-separated text file for a spreadsheet.

#include "foundation/text_encoding.h"
#include "settings/tly_text_file.h"
#include "table/results_table.h"

namespace tally {

TFileResult TResultsTable::ExportAsTextFile(const std::string& fileName, const IFileCalls& calls) const {
    const std::vector<std::string> lines = TextExportLines();
    if (lines.empty()) return {};
    TWyn_TextFile file(calls);
    if (!file.Open(fileName, TWyn_TextFile::kWrite)) return TFileResult::Failure(file.LastErrorText());
    // Cells are Windows-1252; other programs read the file as UTF-8.
    for (const std::string& line : lines) file.WriteLine(Windows1252ToUtf8(line));
    return file.Close();
}

}  // namespace tally
