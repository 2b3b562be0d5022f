#include "core/elapsed_time.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace mw {

namespace {

// Sign, whole digits and decimals without trailing zeros, joined by the separator.
std::string JoinNumber(bool negative, const std::string& whole, std::string decimals, std::string_view separator)
{
    while (!decimals.empty() && decimals.back() == '0')
        decimals.pop_back();
    std::string text = negative ? "-" : "";
    text += whole;
    if (!decimals.empty()) {
        text += separator;
        text += decimals;
    }
    return text;
}

}  // namespace

std::int64_t NanosecondsSince1970()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

std::string SecondsText(double seconds, std::string_view decimalSeparator)
{
    if (!std::isfinite(seconds))
        return "0";
    // nearbyint rounds half to even in the default rounding mode.
    const double thousandths = std::nearbyint(seconds * 1000.0);
    if (thousandths == 0)
        return "0";
    const bool negative = thousandths < 0;
    if (std::fabs(thousandths) < 1e15) {
        // Exact integer arithmetic on the count of thousandths.
        const auto count = static_cast<unsigned long long>(std::fabs(thousandths));
        return JoinNumber(negative, std::to_string(count / 1000), std::to_string(1000 + count % 1000).substr(1),
                          decimalSeparator);
    }
    // Past that, 15 significant digits reach no further than the thousandths.
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.14e", std::fabs(seconds));
    const std::string scientific = buffer;
    const std::string digits = scientific.substr(0, 1) + scientific.substr(2, 14);
    const int exponent = std::atoi(scientific.c_str() + scientific.find('e') + 1);
    const std::size_t wholeDigits = static_cast<std::size_t>(exponent) + 1;
    if (wholeDigits >= digits.size())
        return JoinNumber(negative, digits + std::string(wholeDigits - digits.size(), '0'), "", decimalSeparator);
    return JoinNumber(negative, digits.substr(0, wholeDigits), digits.substr(wholeDigits), decimalSeparator);
}

std::string ElapsedText(double startDay, double endDay, std::string_view decimalSeparator)
{
    return SecondsText(std::fabs(endDay - startDay) * 86400.0, decimalSeparator);
}

}  // namespace mw
