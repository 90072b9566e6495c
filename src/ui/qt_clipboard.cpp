#include "ui/qt_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

#include "ui/qt_text.h"

namespace tally {

std::string QtClipboard::GetText() const {
    return FromQString(QGuiApplication::clipboard()->text());
}

void QtClipboard::SetText(const std::string& text) {
    QGuiApplication::clipboard()->setText(ToQString(text));
}

}  // namespace tally
