#include "ui/qt_text.h"

#include "foundation/text_encoding.h"

namespace tally {

QString ToQString(std::string_view cp1252) {
    QString text(static_cast<qsizetype>(cp1252.size()), Qt::Uninitialized);
    QChar* out = text.data();
    for (char c : cp1252) {
        // Windows-1252 lies wholly in the Basic Multilingual Plane: one UTF-16 unit a byte.
        *out++ = QChar(static_cast<char16_t>(Windows1252ToUnicode(static_cast<unsigned char>(c))));
    }
    return text;
}

std::string FromQString(const QString& text, bool* ok) {
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    for (QChar ch : text) {
        // A surrogate (half of a character beyond the BMP) has no Windows-1252 form either.
        char byte = 0;
        if (!UnicodeToWindows1252(ch.unicode(), byte)) {
            if (ok) *ok = false;
            return {};
        }
        bytes.push_back(byte);
    }
    if (ok) *ok = true;
    return bytes;
}

}  // namespace tally
