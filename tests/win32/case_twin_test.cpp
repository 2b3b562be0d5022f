// A Linux folder seen through Wine may hold two names that differ only in
// case, which Windows cannot make: monza2001.wad beside Monza2001.wad.
// Wine finds the other one by the name as soon as the name is free.
#include <gtest/gtest.h>

#include <functional>

#include "tests/support/process.h"
#include "tests/support/temp_dir.h"
#include "tests/support/wine_host.h"
#include "tests/win32/installation_key.h"

namespace mw::test {
namespace {

std::string Archive(const std::string& bytes)
{
    return ContiguousArchive({{"a.txt", bytes}});
}

ProcessResult Cli(const std::vector<std::string>& arguments)
{
    return RunProcess(MENDWRIGHT_CLI, arguments);
}

struct TwinCase {
    const char* name;
    std::function<ProcessResult(const TempDir& dir)> run;
    const char* left;  // what monza2001.wad holds after
};

const TwinCase kCases[] = {
    {"an update", [](const TempDir& dir) { return Cli({"-q", "update", dir / "fix/a.txt", dir / "GP4/monza2001.wad"}); },
     "new"},
    {"an undo",
     [](const TempDir& dir) {
         Cli({"-q", "update", dir / "fix/a.txt", dir / "GP4/monza2001.wad"});
         return Cli({"-q", "undo", dir / "GP4/monza2001.wad"});
     },
     "old"},
    {"an update package",
     [](const TempDir& dir) {
         dir.Write("GP4/GP4.exe", "");
         dir.Write("package/UpdateFolder/fix/a.txt", "new");
         const Gp4Key key(dir / "GP4");
         return RunProcess(MENDWRIGHT_SCRIPTED_PROGRAM, {"\\1wad", "monza2001.wad", "fix"}, dir / "package",
                           {{"MENDWRIGHT_SCRIPTED_ANSWER", "yes"}}, 120);
     },
     "new"},
};

TEST(CaseTwinTest, AnArchiveBesideItsNameInAnotherCaseIsUpdatedAndTheOtherKept)
{
    for (const TwinCase& c : kCases) {
        // In the prefix's own folder: the tests' temporary one may fold case.
        const TempDir dir(PrefixFolder());
        dir.Write("fix/a.txt", "new");
        dir.Write("GP4/monza2001.wad", Archive("old"));
        const std::string twin = dir.Write("Monza2001.wad", Archive("twin"));
        const std::optional<std::string> hostFolder = HostPath(dir / "GP4");
        const std::optional<std::string> hostTwin = HostPath(twin);
        if (!hostFolder || !hostTwin || !RunOnHost({"mv", *hostTwin, *hostFolder + "/Monza2001.wad"}) ||
            DirectoryOrder(dir / "GP4").size() != 2)
            GTEST_SKIP() << "no two names that differ only in case can be made here";

        const ProcessResult result = c.run(dir);
        EXPECT_EQ(result.exitCode, 0) << c.name << ": " << result.err;
        // Wine reads a name that is there as it is spelt before any other.
        EXPECT_EQ(ReadBytes(dir / "GP4/monza2001.wad"), Archive(c.left)) << c.name;
        EXPECT_EQ(ReadBytes(dir / "GP4/Monza2001.wad"), Archive("twin")) << c.name;
        EXPECT_EQ(TemporaryFiles(dir / "GP4"), std::vector<std::string>{}) << c.name;
    }
}

}  // namespace
}  // namespace mw::test
