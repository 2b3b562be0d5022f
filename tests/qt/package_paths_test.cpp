#include <gtest/gtest.h>

#include "startup/package_paths.h"
#include "tests/support/temp_dir.h"

namespace mw {
namespace {

// Components found as Windows finds them: "\" separates, case is ignored
// when nothing matches exactly, and the first unmatched component and all
// after it stay as written.
TEST(ResolvePackagePath, FindsEachComponentAsWindowsWould)
{
    test::TempDir gp4;
    gp4.Write("Cars.wad", "x");
    gp4.Write("cars.WAD", "x");
    gp4.Write("Sub/Deeper/X.Wad", "x");
    gp4.MakeFolder("CarsFix");
    const struct {
        const char* relative;
        const char* expected;
    } cases[] = {
        {"cars.WAD", "cars.WAD"},  // exact names win over others in another case
        {"Cars.wad", "Cars.wad"},
        {"sub\\deeper\\x.wad", "Sub/Deeper/X.Wad"},
        {"carsfix", "CarsFix"},
        {"sub\\gone\\x.wad", "Sub/gone/x.wad"},
        {"none.wad", "none.wad"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ResolvePackagePath(gp4.path(), c.relative), gp4 / c.expected) << c.relative;
}

}  // namespace
}  // namespace mw
