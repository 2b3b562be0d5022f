// The local time of day and the user's decimal separator on POSIX: the
// C library's local time and the environment's locale.
#include <chrono>
#include <ctime>
#include <langinfo.h>
#include <locale.h>

#include "core/elapsed_time.h"

namespace mw {

double TimeOfDayNow()
{
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(now);
    std::tm local {};
    ::localtime_r(&seconds, &local);
    const auto millis = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
    const long long dayMillis =
        ((local.tm_hour * 60LL + local.tm_min) * 60LL + local.tm_sec) * 1000LL + (millis < 0 ? millis + 1000 : millis);
    return static_cast<double>(dayMillis) / 86400000.0;
}

std::string UserDecimalSeparator()
{
    locale_t user = ::newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(nullptr));
    if (user == static_cast<locale_t>(nullptr))
        return ".";
    std::string separator = ::nl_langinfo_l(RADIXCHAR, user);
    ::freelocale(user);
    return separator.empty() ? "." : separator;
}

}  // namespace mw
