// How far every window's status bar is filled, in both toolkits: a
// position from 0 to 100 percent, which the bytes written set when their
// total is known, drawn as that share of the bar's inner width.
#pragma once

#include <cstdint>
#include <optional>

namespace mw {

// A position as the bar shows it: below 0 is 0, above 100 is 100.
int StatusBarPercent(int position);
// The percent of total that done is, rounded down; none when the total is
// not known (0 or less).
std::optional<int> PercentOfBytes(std::int64_t done, std::int64_t total);
// Pixels of fill for an inner width at a percent: width x percent / 100,
// rounded down, never more than the width.
int StatusBarFillWidth(int innerWidth, int percent);

}  // namespace mw
