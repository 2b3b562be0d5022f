#include <gtest/gtest.h>

#include "startup/window_placement.h"

namespace mw {
namespace {

TEST(WindowPlacementTest, StandsBesideTheMainWindowInsideTheScreen)
{
    const ScreenRect screen{0, 0, 1024, 768};
    const struct {
        const char* what;
        ScreenRect anchor;
        int width, height;
        ScreenRect expected;
    } cases[] = {
        {"room on the right", {100, 100, 441, 181}, 400, 300, {549, 100, 400, 300}},
        {"room on the left only", {560, 50, 441, 181}, 400, 300, {152, 50, 400, 300}},
        {"room on neither side: centred on it", {300, 200, 441, 181}, 700, 300, {171, 200, 700, 300}},
        {"low on the screen: raised to fit", {100, 600, 441, 181}, 400, 300, {549, 468, 400, 300}},
        {"larger than the screen: its corner on it", {100, 100, 441, 181}, 1200, 900, {0, 0, 1200, 900}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PlaceBeside(c.anchor, c.width, c.height, screen), c.expected) << c.what;
}

}  // namespace
}  // namespace mw
