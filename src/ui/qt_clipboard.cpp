#include "ui/qt_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

#include "ui/qt_text.h"

namespace tally {

QtClipboard::QtClipboard() {
    QObject::connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, &changeReceiver_,
                     [this] { stale_ = true; });
}

std::string QtClipboard::GetText() const {
    if (stale_) {
        cached_ = FromQString(QGuiApplication::clipboard()->text());
        stale_ = false;
        ++systemReads_;
    }
    return cached_;
}

void QtClipboard::SetText(const std::string& text) {
    QGuiApplication::clipboard()->setText(ToQString(text));
    // The change signal of our own write may come now or later; either way the text is known.
    // A conversion that could not carry every character is read back from the system instead.
    cached_ = text;
    stale_ = FromQString(ToQString(text)) != text;
}

}  // namespace tally
