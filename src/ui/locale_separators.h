#pragma once
// The number format's decimal and thousand separators taken from a Qt locale.

#include <QLocale>

namespace tally {

// Sets the process-wide separators from the locale's decimal and group separators. A space-like
// group separator (also the narrow and thin spaces some locales use) becomes the no-break space;
// a separator without a Windows-1252 form, or an unusable one, makes both fall back to "." and
// ",". Returns false when the fallback was applied.
bool ApplyLocaleSeparators(const QLocale& locale = QLocale::system());

}  // namespace tally
