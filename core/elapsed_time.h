// The elapsed-time text that ends every operation's status ("Wad created in
// 2.345s"): seconds between two times of day, rounded to the millisecond.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace mw {

// The local time of day, with milliseconds, as a fraction of a day.
double TimeOfDayNow();

// The time now, in nanoseconds since 1970: when something was done.
std::int64_t NanosecondsSince1970();

// Seconds rounded to the nearest 0.001 (ties to the even multiple), at most
// 15 significant digits, no trailing zeros, no exponent, the given decimal
// separator, and no separator at all for a whole number.
std::string SecondsText(double seconds, std::string_view decimalSeparator);

// The absolute difference of two times of day (fractions of a day) in
// seconds, as SecondsText writes it.
std::string ElapsedText(double startDay, double endDay, std::string_view decimalSeparator);

// The decimal separator of the user's locale (from the environment).
std::string UserDecimalSeparator();

}  // namespace mw
