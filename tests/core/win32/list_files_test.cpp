// The Windows lister names a folder that cannot be read. The fault seam
// stands in for a folder the user may not list: Wine run as root lists
// every folder.
#include <windows.h>

#include <gtest/gtest.h>

#include "core/file_faults.h"
#include "core/list_files.h"
#include "tests/support/temp_dir.h"

namespace mw {
namespace {

TEST(WindowsListFilesTest, AFolderThatCannotBeReadIsNamed)
{
    const test::TempDir dir;
    dir.Write("mods/a.txt", "a");
    dir.Write("mods/sub/b.txt", "b");
    const std::string sub = dir / "mods/sub";

    faults::Arm(faults::Call::List, 2, ERROR_ACCESS_DENIED);  // the second folder listed: sub
    try {
        ListFiles(dir / "mods", "*.*", true, false, kAllAttributes);
        ADD_FAILURE() << "listed";
    } catch (const IoError& error) {
        EXPECT_EQ(error.path(), sub);
        EXPECT_STREQ(error.what(), "Accès au fichier refusé");
    }

    faults::Arm(faults::Call::List, 2, ERROR_ACCESS_DENIED);
    std::vector<std::string> named;
    EXPECT_EQ(ListFilesWithin(dir / "mods", [&](const IoError& error) { named.push_back(error.path()); }),
              FileList {dir / "mods/a.txt"});
    EXPECT_EQ(named, std::vector<std::string> {sub});
    faults::Clear();
}

}  // namespace
}  // namespace mw
