// mendwright.exe called as an update package calls it, under Wine: the GP4
// key in the machine-wide registry, the package's working folder holding
// UpdateFolder, the question answered by the tests' build of the program.
#include <gtest/gtest.h>

#include <windows.h>

#include "core/text.h"
#include "ops/messages.h"
#include "startup/welcome_text.h"
#include "tests/support/box_records.h"
#include "tests/support/process.h"
#include "tests/support/temp_dir.h"
#include "tests/support/wine_host.h"
#include "tests/win32/installation_key.h"

namespace mw::test {
namespace {

std::string OneEntryArchive(const std::string& bytes)
{
    return ContiguousArchive({{"a.txt", bytes}});
}

struct PackageCase {
    const char* name;
    const char* answer;
    const char* archive;  // argument 2
    const char* source;   // argument 3
    const char* link;     // a link made first, below the test's folder
    const char* target;   // and what it leads to
    int exitCode;
    bool patched;
    const char* refusal;
};

constexpr PackageCase kCases[] = {
    {"yes patches from the folder below UpdateFolder", "yes", "cars.wad", "carsfix", nullptr, nullptr, 0, true, ""},
    {"no leaves the archive alone", "no", "cars.wad", "carsfix", nullptr, nullptr, 0, false, ""},
    {"a source outside UpdateFolder is refused", "yes", "cars.wad", "..\\carsfix", nullptr, nullptr, 2, false,
     "Sorry but this source is not inside UpdateFolder: ..\\carsfix"},
    {"an archive that a link leads outside is refused", "yes", "maps\\cars.wad", "carsfix", "GP4/maps", "outside", 2,
     false, "Sorry but this wad is not inside the GP4 folder: maps\\cars.wad"},
    {"a source folder that a link leads outside is refused", "yes", "cars.wad", "linked",
     "package/UpdateFolder/linked", "outside", 2, false, "Sorry but this source is not inside UpdateFolder: linked"},
    {"a source file that a link leads outside is refused", "yes", "cars.wad", "carsfix",
     "package/UpdateFolder/carsfix/b.txt", "outside/a.txt", 2, false,
     "Sorry but this source is not inside UpdateFolder: UpdateFolder\\carsfix\\b.txt"},
};

TEST(Win32AutoInstallTest, PackageCallPatchesOnlyAfterYesAndInsideItsFolders)
{
    for (const PackageCase& c : kCases) {
        TempDir dir;
        const std::string gp4 = dir.MakeFolder("GP4");
        dir.Write("GP4/GP4.exe", "");
        const std::string cars = dir.Write("GP4/cars.wad", OneEntryArchive("old"));
        dir.Write("package/UpdateFolder/carsfix/a.txt", "fix");
        dir.Write("package/carsfix/a.txt", "out");
        const std::string outside = dir.Write("outside/cars.wad", OneEntryArchive("old"));
        dir.Write("outside/a.txt", "out");
        // A target with an extension is a file.
        if (c.link && !MakeLink(dir / c.link, dir / c.target, !Contains(c.target, ".")))
            GTEST_SKIP() << "no symbolic link can be made here";
        const Gp4Key key(gp4);

        const ProcessResult result = RunProcess(MENDWRIGHT_SCRIPTED_PROGRAM, {"\\1wad", c.archive, c.source},
                                                dir / "package", {{"MENDWRIGHT_SCRIPTED_ANSWER", c.answer}}, 120);

        // A refused call asks nothing: what can be checked is checked first.
        std::vector<Box> boxes;
        if (c.exitCode != 2)
            boxes.push_back({"question", WelcomeText(gp4)});
        if (c.patched)
            boxes.push_back({"message", kPatchedMessage});
        else if (c.exitCode == 2)
            boxes.push_back({"message", c.refusal});
        EXPECT_EQ(result.exitCode, c.exitCode) << c.name;
        EXPECT_EQ(ReadBoxes(result.out), boxes) << c.name;
        EXPECT_EQ(ReadBytes(cars), OneEntryArchive(c.patched ? "fix" : "old")) << c.name;
        EXPECT_EQ(ReadBytes(outside), OneEntryArchive("old")) << c.name;
    }
}

}  // namespace
}  // namespace mw::test
