#pragma once
// The plain-text clipboard. Texts are Windows-1252 bytes; the window-system side converts.

#include <string>

namespace tally {

class IClipboard {
public:
    virtual ~IClipboard() = default;
    // Empty when the clipboard holds no text.
    virtual std::string GetText() const = 0;
    virtual void SetText(const std::string& text) = 0;
};

// Clipboard held in memory, for tests and the command-line tool.
class HeadlessClipboard : public IClipboard {
public:
    std::string GetText() const override { return text_; }
    void SetText(const std::string& text) override { text_ = text; }

private:
    std::string text_;
};

}  // namespace tally
