#include "cli/tape_print.h"

#include <string>

#include "cli/cli_command.h"
#include "documents/file_document.h"
#include "documents/file_manager_print_records.h"
#include "foundation/text_encoding.h"
#ifdef TALLYROLL_WITH_PDF
#include "ui/print/print_to_files.h"
#endif

namespace tally::cli {

namespace {

constexpr std::string_view kPrefix = "tallyroll-cli tape: ";

#ifdef TALLYROLL_WITH_PDF
// The reason a refused job gave went to standard error as its message box.
int PrintPdf(const TPrintSource& source, std::string_view pdfFile, std::FILE* err) {
    switch (PrintToPdf(source, std::string(pdfFile))) {
        case TPrintJobResult::Printed: return kExitOk;
        case TPrintJobResult::Refused: return kExitFailure;
        case TPrintJobResult::Failed: break;
    }
    WriteLine(err, std::string(kPrefix) + "cannot write the PDF file '" + FileNameText(pdfFile) + "'");
    return kExitFailure;
}

int PrintPngPages(const TPrintSource& source, std::string_view folder, std::FILE* out, std::FILE* err) {
    const TPngPages pages = WritePngPages(source, std::string(folder));
    for (const std::string& file : pages.Files) WriteLine(out, FileNameText(file));
    if (pages.Result == TPrintJobResult::Failed) {
        WriteLine(err, FileNameText(pages.Failure.empty() ? "cannot write the pages" : pages.Failure));
    }
    return pages.Result == TPrintJobResult::Printed ? kExitOk : kExitFailure;
}
#endif

}  // namespace

int PrintToFiles(const TStMediator& applicationBus, TTlyFile& document, const TShowChoice& choice,
                 const TCalculator& typedTape, const TPrintFiles& files, std::FILE* out, std::FILE* err) {
#ifdef TALLYROLL_WITH_PDF
    TShownPart part;
    if (!FindShownPart(document, choice, typedTape, part, err)) return kExitFailure;
    if (part.Tape != nullptr) document.ShowTape(*part.Tape);
    if (part.Table != nullptr) document.ShowTable(*part.Table);
    // What the window's print commands take: the visible part of the visible document.
    const TPrintSource source = VisiblePrintSource(applicationBus);
    if (!files.PdfFile.empty()) {
        if (const int status = PrintPdf(source, files.PdfFile, err); status != kExitOk) return status;
    }
    if (!files.PngFolder.empty()) return PrintPngPages(source, files.PngFolder, out, err);
    return kExitOk;
#else
    (void)applicationBus;
    (void)document;
    (void)choice;
    (void)typedTape;
    (void)out;
    const std::string_view option = files.PdfFile.empty() ? "--png-pages" : "--pdf";
    WriteLine(err, std::string(kPrefix) + std::string(option) +
                       " is not available in this build (it was built without Qt)");
    return kExitFailure;
#endif
}

}  // namespace tally::cli
