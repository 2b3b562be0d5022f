// The elapsed-time text over arbitrary doubles and separators. The input is
// two doubles (8 bytes each, as in memory) and then the decimal separator.
// The text is digits, an optional sign and at most one separator followed by
// at most three decimals without a trailing zero; below a trillion seconds
// it reads back as the value rounded to the millisecond.
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

#include "core/elapsed_time.h"

namespace {

bool IsDigits(std::string_view text)
{
    return text.find_first_not_of("0123456789") == std::string_view::npos;
}

void CheckText(double seconds, const std::string& text, std::string_view separator)
{
    std::string_view whole = text;
    if (whole.starts_with('-'))
        whole.remove_prefix(1);
    std::string_view decimals;
    const bool plainSeparator = !separator.empty() && separator.find_first_of("-0123456789") == std::string_view::npos;
    if (plainSeparator) {
        const std::size_t at = whole.find(separator);
        if (at != std::string_view::npos) {
            decimals = whole.substr(at + separator.size());
            whole = whole.substr(0, at);
            if (decimals.empty() || decimals.size() > 3 || decimals.back() == '0')
                std::abort();
        }
        if (whole.empty() || !IsDigits(whole) || !IsDigits(decimals))
            std::abort();
    }
    if (!std::isfinite(seconds) || std::fabs(seconds) >= 1e12 || !plainSeparator)
        return;
    const double expected = std::nearbyint(seconds * 1000.0) / 1000.0;
    std::string number(whole);
    if (!decimals.empty())
        number += "." + std::string(decimals);
    double read = std::strtod(number.c_str(), nullptr);
    if (text.starts_with('-'))
        read = -read;
    if (std::fabs(read - expected) > 1e-9 * std::fmax(1.0, std::fabs(expected)))
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 16)
        return 0;
    double start, end;
    std::memcpy(&start, data, 8);
    std::memcpy(&end, data + 8, 8);
    const std::string separator(reinterpret_cast<const char*>(data + 16), size - 16);

    CheckText(start, mw::SecondsText(start, separator), separator);
    const std::string elapsed = mw::ElapsedText(start, end, separator);
    if (elapsed != mw::ElapsedText(end, start, separator) || elapsed.starts_with('-'))
        std::abort();
    CheckText(std::fabs(end - start) * 86400.0, elapsed, separator);
    return 0;
}
