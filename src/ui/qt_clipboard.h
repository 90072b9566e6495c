#pragma once
// The system clipboard, plain text, converted to and from Windows-1252.

#include "platform/clipboard.h"

namespace tally {

class QtClipboard : public IClipboard {
public:
    // Text with a character outside Windows-1252 reads as no text: a paste then refuses, and
    // the clipboard keeps its contents, instead of pasting a text with characters replaced.
    std::string GetText() const override;
    void SetText(const std::string& text) override;
};

}  // namespace tally
