// mendwright.exe called as an update package calls it, under Wine: the GP4
// key in the machine-wide registry, the package's working folder holding
// UpdateFolder, the question answered by the tests' build of the program.
#include <gtest/gtest.h>

#include <windows.h>

#include "ops/messages.h"
#include "startup/welcome_text.h"
#include "tests/support/box_records.h"
#include "tests/support/process.h"
#include "tests/support/temp_dir.h"
#include "tests/win32/gp4_key.h"

namespace mw::test {
namespace {

std::string OneEntryArchive(const std::string& bytes)
{
    return ContiguousArchive({{"a.txt", bytes}});
}

struct PackageCase {
    const char* name;
    const char* answer;
    const char* source;  // argument 3
    int exitCode;
    bool patched;
};

constexpr PackageCase kCases[] = {
    {"yes patches from the folder below UpdateFolder", "yes", "carsfix", 0, true},
    {"no leaves the archive alone", "no", "carsfix", 0, false},
    {"a source outside UpdateFolder is refused", "yes", "..\\carsfix", 2, false},
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
        const Gp4Key key(gp4);

        const ProcessResult result = RunProcess(MENDWRIGHT_SCRIPTED_PROGRAM, {"\\1wad", "cars.wad", c.source},
                                                dir / "package", {{"MENDWRIGHT_SCRIPTED_ANSWER", c.answer}}, 120);

        std::vector<Box> boxes = {{"question", WelcomeText(gp4)}};
        if (c.patched)
            boxes.push_back({"message", kPatchedMessage});
        else if (c.exitCode == 2)
            boxes.push_back({"message", kSourceOutsideUpdateFolderPrefix + std::string(c.source)});
        EXPECT_EQ(result.exitCode, c.exitCode) << c.name;
        EXPECT_EQ(ReadBoxes(result.out), boxes) << c.name;
        EXPECT_EQ(ReadBytes(cars), OneEntryArchive(c.patched ? "fix" : "old")) << c.name;
    }
}

}  // namespace
}  // namespace mw::test
