#pragma once
// The system clipboard, plain text, converted to and from Windows-1252.
//
// The text is cached: the tape asks for the clipboard after every edit (menu states), and
// reading another program's clipboard can stall while that program answers. The cache holds
// the text this program wrote or last read, and is read again only after the clipboard
// reported a change.

#include <QObject>

#include <string>

#include "platform/clipboard.h"

namespace tally {

class QtClipboard : public IClipboard {
public:
    QtClipboard();

    // Text with a character outside Windows-1252 reads as no text: a paste then refuses, and
    // the clipboard keeps its contents, instead of pasting a text with characters replaced.
    std::string GetText() const override;
    void SetText(const std::string& text) override;

    // How often the system clipboard was actually read (for tests).
    int SystemReads() const { return systemReads_; }

private:
    // Receives the clipboard's change signal for as long as this object lives.
    QObject changeReceiver_;
    mutable std::string cached_;
    mutable bool stale_ = true;
    mutable int systemReads_ = 0;
};

}  // namespace tally
