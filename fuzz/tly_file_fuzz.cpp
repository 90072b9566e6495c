// libFuzzer target for the ".tly" file reader: any file must open into a document or be
// refused with a reason, without crash, hang or unbounded allocation. A document that opened
// must save, and the saved file must open again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include <unistd.h>

#include "documents/tly_file.h"
#include "documents/tly_test_document.h"
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
    tally::test::TTestDocument document;
    if (!tally::LoadTlyFile(document, input).Ok) return 0;
    const std::string saved = Folder().File("saved.tly");
    if (!tally::SaveTlyFile(document, saved).Ok) std::abort();
    tally::test::TTestDocument reopened;
    if (!tally::LoadTlyFile(reopened, saved).Ok) std::abort();
    return 0;
}
