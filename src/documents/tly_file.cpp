#include "documents/tly_file.h"

#include <charconv>

#include "documents/tly_file_format.h"
#include "documents/tly_file_reader.h"
#include "settings/tly_text_file.h"

namespace tally {

namespace {

// Far beyond any document (a million tape lines take about 30 MB); a larger file is not ours.
constexpr std::uint64_t kMaxFileSize = std::uint64_t{1} << 30;
constexpr std::size_t kMaxVersionLineLength = 256;

}  // namespace

int TlyFileVersion(std::string_view firstLine) {
    if (firstLine == tly::kVersion1Line) return 1;
    if (!firstLine.starts_with(tly::kVersionPrefix) || !firstLine.ends_with(']')) return 0;
    const std::string_view number =
        firstLine.substr(tly::kVersionPrefix.size(), firstLine.size() - tly::kVersionPrefix.size() - 1);
    if (number.empty() || number.find_first_not_of("0123456789") != std::string_view::npos) return 0;
    int version = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), version);
    return error == std::errc{} ? version : 0;
}

bool IsFileOfThisProgram(const std::string& fileName, int& version) {
    version = 0;
    TWyn_TextFile file;
    if (!file.Open(fileName, TWyn_TextFile::kRead)) return false;
    // The version line is short; a file that is no text needs no more than this looked at.
    file.SetLineLimit(kMaxVersionLineLength);
    file.ReadLine();
    version = TlyFileVersion(file.CurrentLine());
    return version > 0;
}

TTlyFileResult LoadTlyFile(ITlyDocumentParts& freshDocument, const std::string& fileName) {
    TWyn_TextFile file;
    if (!file.Open(fileName, TWyn_TextFile::kRead)) {
        if (file.LastError() == TWyn_TextFile::kFileNotFound) return {false, "the file does not exist"};
        return {false, "it cannot be read: " + file.OpenFailure()};
    }
    if (file.FileSize() > kMaxFileSize) return {false, "it is larger than 1 GB"};
    file.ReadLine();
    const int version = TlyFileVersion(file.CurrentLine());
    if (version <= 0) return {false, "it is not a Tallyroll file"};
    if (version < tly::kOldestReadVersion || version > tly::kWrittenVersion) {
        return {false, "it was made by a newer version of Tallyroll (file version " + std::to_string(version) + ")"};
    }
    TTlyReader reader(freshDocument, file.FileSize());
    while (!file.AtEnd()) {
        file.ReadLine();
        reader.ReadLine(file.CurrentLine());
    }
    if (!file.ReadFailure().empty()) return {false, "it cannot be read: " + file.ReadFailure()};
    file.Close();
    if (std::string reason = reader.Finish(); !reason.empty()) return {false, reason};
    if (std::string reason = freshDocument.FinishLoad(); !reason.empty()) return {false, reason};
    return {true, {}};
}

}  // namespace tally
