#include "ui/locale_separators.h"

#include "foundation/numbers/format_settings.h"

namespace tally {

bool ApplyLocaleSeparators(const QLocale& locale) {
    // Through UTF-8 rather than Windows-1252, so that the Unicode spaces used as group
    // separators (which have no Windows-1252 form) still map to the no-break space.
    return SetFormatSeparatorsUtf8(locale.decimalPoint().toStdString(),
                                   locale.groupSeparator().toStdString());
}

}  // namespace tally
