// Which locale decimal marks a number read can use.
#include "runtime/decimal_mark.h"

namespace spindle {

char DecimalMarkOf(std::wstring_view localeMark) {
    if (localeMark.size() != 1) return '.';
    const wchar_t mark = localeMark.front();
    const bool usable = mark > L' ' && mark < 0x7F && !(mark >= L'0' && mark <= L'9') && mark != L'+' && mark != L'-';
    return usable ? static_cast<char>(mark) : '.';
}

}  // namespace spindle
