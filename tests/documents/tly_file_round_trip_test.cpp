// Saving a document with every part in use and opening it again.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "documents/tly_file.h"
#include "documents/tly_full_document.h"
#include "documents/tly_test_document.h"
#include "documents/tly_test_files.h"

namespace tally {
namespace {

using test::TTestDocument;

TEST(TlyFileRoundTrip, AFullDocumentOpensEqualAndSavesToTheSameBytes) {
    test::TTempFolder folder;
    TTestDocument original;
    FillFullDocument(original, original);
    const std::string first = folder.File("first.tly");
    const TTlyFileResult saved = SaveTlyFile(original, first);
    ASSERT_TRUE(saved.Ok) << saved.Reason;

    TTestDocument opened;
    const TTlyFileResult loaded = LoadTlyFile(opened, first);
    ASSERT_TRUE(loaded.Ok) << loaded.Reason;
    EXPECT_EQ(opened.finishLoadCalls_, 1);
    EXPECT_EQ(opened.Dump(), original.Dump());

    const std::string second = folder.File("second.tly");
    ASSERT_TRUE(SaveTlyFile(opened, second).Ok);
    const std::string bytes = test::ReadBytes(first);
    EXPECT_EQ(test::ReadBytes(second), bytes);
    // Every line ends with CR LF and no value carries a raw line break.
    EXPECT_EQ(bytes.find("\r\r"), std::string::npos);
    for (std::size_t at = bytes.find('\n'); at != std::string::npos; at = bytes.find('\n', at + 1)) {
        ASSERT_EQ(bytes[at - 1], '\r') << at;
    }
    for (std::size_t at = bytes.find('\r'); at != std::string::npos; at = bytes.find('\r', at + 1)) {
        ASSERT_EQ(bytes[at + 1], '\n') << at;
    }
}

}  // namespace
}  // namespace tally
