// The local time of day and the user's decimal separator on Windows.
#include <windows.h>

#include "core/elapsed_time.h"
#include "core/win32/wide_text.h"

namespace mw {

double TimeOfDayNow()
{
    SYSTEMTIME local {};
    GetLocalTime(&local);
    const long long dayMillis =
        ((local.wHour * 60LL + local.wMinute) * 60LL + local.wSecond) * 1000LL + local.wMilliseconds;
    return static_cast<double>(dayMillis) / 86400000.0;
}

std::string UserDecimalSeparator()
{
    wchar_t separator[8] = {};
    if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8) <= 1)
        return ".";
    return Utf8FromWide(separator);
}

}  // namespace mw
