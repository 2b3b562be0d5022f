#include "startup/status_bar_fill.h"

#include <algorithm>

namespace mw {
namespace {
constexpr int kFull = 100;
}  // namespace

int StatusBarPercent(int position)
{
    return std::clamp(position, 0, kFull);
}

std::optional<int> PercentOfBytes(std::int64_t done, std::int64_t total)
{
    if (total <= 0)
        return std::nullopt;
    return static_cast<int>(std::clamp<std::int64_t>(done * kFull / total, 0, kFull));
}

int StatusBarFillWidth(int innerWidth, int percent)
{
    return std::min(innerWidth, innerWidth * percent / kFull);
}

}  // namespace mw
