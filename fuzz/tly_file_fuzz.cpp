// libFuzzer target for the ".tly" file reader: any file must open into a document or be
// refused with a reason, without crash, hang or unbounded allocation. It reads into the real
// document, as the program opens files, so stored links, totals and tables go through the
// document's own checks. A document that opened must save, and the saved file must open again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include <unistd.h>

#include "documents/file_document.h"
#include "documents/tly_test_files.h"

namespace {

const tally::test::TTempFolder& Folder() {
    static const tally::test::TTempFolder folder;
    return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input = Folder().File("input.tly");
    tally::test::WriteBytes(input, std::string_view(reinterpret_cast<const char*>(data), size));
    const tally::TOpenedTlyFile opened =
        tally::OpenTlyFileInto(std::make_unique<tally::TTlyFile>(tally::TTlyFileSetup{}), input);
    if (opened.Document == nullptr) return 0;
    const std::string saved = Folder().File("saved.tly");
    if (!opened.Document->SaveAs(saved).Ok) std::abort();
    if (tally::OpenTlyFileInto(std::make_unique<tally::TTlyFile>(tally::TTlyFileSetup{}), saved).Document == nullptr) {
        std::abort();
    }
    return 0;
}
