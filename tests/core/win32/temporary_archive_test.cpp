#include <windows.h>

#include <gtest/gtest.h>

#include "core/temporary_archive.h"
#include "tests/support/temp_dir.h"

namespace mw {
namespace {

// A process killed while it writes (no handler, no destructor runs) leaves
// neither its temporary file nor a changed archive: the system deletes
// the file when the killed process's handles close.
TEST(TemporaryArchiveDeathTest, AKilledWriterLeavesNothing)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const test::TempDir dir;
    const std::string archive = dir.Write("x.wad", "old");
    EXPECT_EXIT(
        {
            TemporaryArchive temporary(archive);
            temporary.file().Write("new bytes", 9);
            TerminateProcess(GetCurrentProcess(), 9);
        },
        ::testing::ExitedWithCode(9), "");
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"x.wad"});
    EXPECT_EQ(test::ReadBytes(archive), "old");
}

}  // namespace
}  // namespace mw
