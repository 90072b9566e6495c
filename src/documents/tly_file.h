#pragma once
// Saving and opening ".tly" document files. Files are written in version 3 and read in
// versions 1 to 3.

#include <string>
#include <string_view>

#include "documents/tly_document_parts.h"
#include "settings/atomic_file.h"

namespace tally {

struct TTlyFileResult {
    bool Ok = false;
    std::string Reason;
};

// Writes the whole document. The file is replaced atomically: on failure the old file stays as
// it was and the reason is answered. The document is not changed.
TTlyFileResult SaveTlyFile(ITlyDocumentParts& document, const std::string& fileName,
                           const IFileCalls& calls = SystemFileCalls());

// Reads the file into a fresh document and calls its FinishLoad; a file that cannot be read,
// is not a file of this program or holds a structure that cannot be repaired fails with the
// reason, and so does a non-empty answer of FinishLoad. The caller drops the document then.
TTlyFileResult LoadTlyFile(ITlyDocumentParts& freshDocument, const std::string& fileName);

// 1 for "[Tallyroll Tape]"; the number of "[Tallyroll File Version N]" when N is digits only;
// 0 for anything else.
int TlyFileVersion(std::string_view firstLine);

// The file exists, can be read, and its first line has a version above 0.
bool IsFileOfThisProgram(const std::string& fileName, int& version);

}  // namespace tally
