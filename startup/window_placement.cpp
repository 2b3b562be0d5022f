#include "startup/window_placement.h"

#include <algorithm>

namespace mw {

ScreenRect PlaceBeside(const ScreenRect& anchor, int width, int height, const ScreenRect& workArea)
{
    constexpr int kGap = 8;
    const int right = workArea.left + workArea.width;
    const int bottom = workArea.top + workArea.height;
    int left = anchor.left + anchor.width + kGap;
    if (left + width > right)
        left = anchor.left - kGap - width;
    if (left < workArea.left)
        left = anchor.left + (anchor.width - width) / 2;
    // A window larger than the screen keeps its top-left corner on it.
    left = std::max(workArea.left, std::min(left, right - width));
    const int top = std::max(workArea.top, std::min(anchor.top, bottom - height));
    return {left, top, width, height};
}

}  // namespace mw
