// Reads the user's decimal mark from the locale.
#include "runtime/decimal_mark_win.h"

#include <windows.h>

#include "runtime/decimal_mark.h"

namespace spindle {

char UserDecimalMark() {
    wchar_t mark[8] = {};  // the locale allows up to three characters and the NUL
    const int length = GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, mark, 8);
    return DecimalMarkOf(length > 1 ? std::wstring_view(mark, static_cast<std::size_t>(length - 1)) : std::wstring_view());
}

}  // namespace spindle
