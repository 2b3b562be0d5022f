// The real program called as an update package calls it.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "ops/undo_wad.h"
#include "tests/qt/update_package.h"

namespace mw::test {
namespace {

const Box kPatched{"message", "Your GP4 installation has been succesfully patched"};

Box Welcome(const std::string& gp4Folder)
{
    return {"question",
            "Welcome to Mendwright's auto install program.\n\n"
            "This package will update the following GP4 installation :\n\n"
            "Current GP4 Path :\n" +
                gp4Folder +
                "\n\n(If no GP4 path appears, you have to manualy select your GP4 path first\n"
                "using one of my tools as Lensforge or Laurels for examples.)"};
}

class AutoInstallTest : public testing::Test {
protected:
    PackageMachine machine;
};

TEST_F(AutoInstallTest, TwoArgumentsPatchTheArchiveFromUpdateFolderAfterYes)
{
    const std::string cars = machine.PutArchive("cars.wad", "old");
    machine.PutUpdate("a.txt", "new");

    const PackageCall call = machine.Call({"\\1wad", "cars.wad"});

    EXPECT_EQ(call.exitCode, 0);
    EXPECT_EQ(call.boxes, (std::vector<Box>{Welcome(machine.gp4Folder), kPatched}));
    EXPECT_EQ(ReadBytes(cars), OneEntryArchive("new"));
    EXPECT_EQ(machine.SettingsText().find("FileName"), std::string::npos)
        << "the source of an auto-install is not remembered";
}

TEST_F(AutoInstallTest, ThirdArgumentNamesTheFolderBelowUpdateFolder)
{
    const std::string cars = machine.PutArchive("cars.wad", "old");
    machine.PutUpdate("carsfix/a.txt", "fix");

    EXPECT_EQ(machine.Call({"\\1wad", "cars.wad", "carsfix"}).boxes.back(), kPatched);
    EXPECT_EQ(ReadBytes(cars), OneEntryArchive("fix"));
}

// A package written for Windows: "\" between folders, names in another case.
TEST_F(AutoInstallTest, WindowsStyleArgumentsFindTheFilesOnLinux)
{
    std::filesystem::create_directories(machine.gp4Folder + "/Sub");
    const std::string wad = machine.PutArchive("Sub/Track.wad", "old");
    machine.PutUpdate("Fixes/TrackFix/a.txt", "fix");

    EXPECT_EQ(machine.Call({"\\1wad", "sub\\track.wad", "fixes\\trackfix"}).boxes.back(), kPatched);
    EXPECT_EQ(ReadBytes(wad), OneEntryArchive("fix"));
}

TEST_F(AutoInstallTest, AnswerAnnulerOrAnUnknownWordChangesNothing)
{
    const std::string cars = machine.PutArchive("cars.wad", "old");
    machine.PutUpdate("carsfix/a.txt", "fix");

    const PackageCall declined = machine.Call({"\\1wad", "cars.wad", "carsfix"}, false);
    EXPECT_EQ(declined.exitCode, 0);
    EXPECT_EQ(declined.boxes, (std::vector<Box>{Welcome(machine.gp4Folder)}));

    // Words are compared byte for byte.
    for (const std::vector<std::string>& arguments : std::vector<std::vector<std::string>>{
             {"\\1WAD", "cars.wad"},
             {"\\1wad ", "cars.wad"},
             {"\\1wad", "cars.wad", "carsfix", "\\start"},
             {"\\1wad", "cars.wad", "carsfix", "\\End "}}) {
        const PackageCall call = machine.Call(arguments);
        EXPECT_EQ(call.exitCode, 0) << arguments[0] << " " << arguments.back();
        EXPECT_TRUE(call.boxes.empty()) << arguments[0] << " " << arguments.back();
    }
    EXPECT_EQ(ReadBytes(cars), OneEntryArchive("old"));
    EXPECT_EQ(machine.SettingsText().find("Continue"), std::string::npos);
}

// Four archives, each with its own folder below UpdateFolder (the archive's
// name + "fix": a folder named cars would key its files from cars\ on).
constexpr const char* kSeriesNames[] = {"cars", "hungary", "monza", "suzuka"};

class PackageSeriesTest : public AutoInstallTest {
protected:
    PackageSeriesTest()
    {
        for (const char* name : kSeriesNames) {
            archives.push_back(machine.PutArchive(std::string(name) + ".wad", "old"));
            machine.PutUpdate(std::string(name) + "fix/a.txt", "new");
        }
    }

    // Start, Run, Run, End over the four archives; the boxes of all calls.
    std::vector<Box> RunSeries(bool answerYes)
    {
        const char* const steps[] = {"\\Start", "\\Run", "\\Run", "\\End"};
        std::vector<Box> boxes;
        for (int i = 0; i < 4; ++i) {
            // Arguments beyond the fourth are ignored.
            const std::string name = kSeriesNames[i];
            const PackageCall call = machine.Call({"\\1wad", name + ".wad", name + "fix", steps[i], "extra"}, answerYes);
            EXPECT_EQ(call.exitCode, 0) << steps[i];
            boxes.insert(boxes.end(), call.boxes.begin(), call.boxes.end());
        }
        return boxes;
    }

    std::vector<std::string> archives;
};

TEST_F(PackageSeriesTest, OneConfirmationAtTheStartAndOneSuccessMessageAtTheEnd)
{
    EXPECT_EQ(RunSeries(true), (std::vector<Box>{Welcome(machine.gp4Folder), kPatched}));
    for (const std::string& archive : archives)
        EXPECT_EQ(ReadBytes(archive), OneEntryArchive("new")) << archive;
    // The series is one step back for undo.
    EXPECT_EQ(UndoHistory(RunState(), archives[1]).front().archives.size(), 4u);
}

TEST_F(PackageSeriesTest, AnnulerAtTheStartStopsTheWholeSeries)
{
    EXPECT_EQ(RunSeries(false), (std::vector<Box>{Welcome(machine.gp4Folder)}));
    for (const std::string& archive : archives)
        EXPECT_EQ(ReadBytes(archive), OneEntryArchive("old")) << archive;
}

// A "\Run" or "\End" that no live series awaits asks as a single call
// does, reports success and is undone alone: on a fresh configuration,
// after a series that ended, and after one left unfinished for longer than
// ten minutes.
TEST(PackageSeriesEndTest, RunOrEndWithNoLiveSeriesAskAsASingleCall)
{
    struct Case {
        const char* name;
        std::vector<const char*> before;  // the step words of the calls made first, on hungary.wad
        bool leftIdle;                    // the last of them made eleven minutes ago
        const char* step;
    };
    const Case cases[] = {
        {"fresh Run", {}, false, "\\Run"},
        {"fresh End", {}, false, "\\End"},
        {"after End", {"\\Start", "\\End"}, false, "\\Run"},
        {"left unfinished", {"\\Start"}, true, "\\Run"},
    };
    for (const Case& c : cases) {
        PackageMachine machine;
        const std::string cars = machine.PutArchive("cars.wad", "old");
        machine.PutArchive("hungary.wad", "old");
        machine.PutUpdate("carsfix/a.txt", "new");
        machine.PutUpdate("hungaryfix/a.txt", "new");
        for (const char* step : c.before)
            ASSERT_EQ(machine.Call({"\\1wad", "hungary.wad", "hungaryfix", step}).exitCode, 0) << c.name;
        if (c.leftIdle) {
            const std::string settings = machine.SettingsText();
            const std::size_t at = settings.find("SeriesStep=");
            ASSERT_NE(at, std::string::npos) << settings;
            const auto elevenMinutesAgo = std::chrono::system_clock::now() - std::chrono::minutes(11);
            const auto seconds =
                std::chrono::duration_cast<std::chrono::seconds>(elevenMinutesAgo.time_since_epoch()).count();
            machine.WriteSettingsText(settings.substr(0, at) + "SeriesStep=" + std::to_string(seconds) +
                                      settings.substr(settings.find('\n', at)));
        }

        const PackageCall call = machine.Call({"\\1wad", "cars.wad", "carsfix", c.step});
        EXPECT_EQ(call.exitCode, 0) << c.name;
        EXPECT_EQ(call.boxes, (std::vector<Box>{Welcome(machine.gp4Folder), kPatched})) << c.name;
        EXPECT_EQ(ReadBytes(cars), OneEntryArchive("new")) << c.name;
        EXPECT_EQ(UndoHistory(RunState(), cars).front().archives.size(), 1u) << c.name;
    }
}

// A package is untrusted: an argument that leads outside the GP4 folder or
// UpdateFolder, as written or through a link, is refused naming it (exit
// code 2, no success message) and nothing is written.
TEST(AutoInstallConfinementTest, PathsLeavingTheirFoldersAreRefusedAndNothingOutsideChanges)
{
    namespace fs = std::filesystem;
    const PackageMachine machine;
    const std::string cars = machine.PutArchive("cars.wad", "old");
    fs::create_directories(machine.gp4Folder + "/sub");
    // Three levels above the GP4 folder (wine/drive_c/GP4).
    const std::string victim = machine.dir.Write("outside/victim.wad", OneEntryArchive("victim"));
    fs::create_symlink(victim, machine.gp4Folder + "/escape.wad");
    machine.PutUpdate("fix/a.txt", "new");
    const std::string secret = machine.dir.Write("package/secret/a.txt", "secret");
    fs::create_directories(machine.work + "/UpdateFolder/linked");
    fs::create_symlink(secret, machine.work + "/UpdateFolder/linked/a.txt");

    const std::string wad = "Sorry but this wad is not inside the GP4 folder: ";
    const std::string source = "Sorry but this source is not inside UpdateFolder: ";
    const struct {
        std::string archive;
        std::string folder;
        std::string refusal;
    } cases[] = {
        {"..\\..\\..\\outside\\victim.wad", "fix", wad + "..\\..\\..\\outside\\victim.wad"},
        {"../../../outside/victim.wad", "fix", wad + "../../../outside/victim.wad"},
        {"SUB\\..\\..\\..\\..\\OUTSIDE\\VICTIM.WAD", "fix", wad + "SUB\\..\\..\\..\\..\\OUTSIDE\\VICTIM.WAD"},
        {victim, "fix", wad + victim},
        {"C:\\outside\\victim.wad", "fix", wad + "C:\\outside\\victim.wad"},
        {"escape.wad", "fix", wad + "escape.wad"},  // a link to outside
        {"cars.wad", "..\\secret", source + "..\\secret"},
        {"cars.wad", "linked", source + "UpdateFolder/linked/a.txt"},  // a file linked from outside
    };
    for (const auto& c : cases) {
        const PackageCall call = machine.Call({"\\1wad", c.archive, c.folder});
        EXPECT_EQ(call.exitCode, 2) << c.archive << " " << c.folder;
        EXPECT_EQ(call.boxes, (std::vector<Box>{{"message", c.refusal}}));
        EXPECT_EQ(ReadBytes(victim), OneEntryArchive("victim")) << c.archive;
        EXPECT_EQ(ReadBytes(cars), OneEntryArchive("old")) << c.archive << " " << c.folder;
    }
    EXPECT_EQ(machine.SettingsText().find("WadName"), std::string::npos);
}

TEST(AutoInstallConfinementTest, LinksThatStayInsideTheirFoldersAreFollowed)
{
    namespace fs = std::filesystem;
    const PackageMachine machine;
    fs::create_directories(machine.gp4Folder + "/data");
    const std::string cars = machine.PutArchive("data/cars.wad", "old");
    fs::create_symlink("data/cars.wad", machine.gp4Folder + "/cars.wad");
    machine.PutUpdate("shared/a.txt", "new");
    fs::create_directories(machine.work + "/UpdateFolder/fix");
    fs::create_symlink("../shared/a.txt", machine.work + "/UpdateFolder/fix/a.txt");

    const PackageCall call = machine.Call({"\\1wad", "cars.wad", "fix"});

    EXPECT_EQ(call.exitCode, 0);
    EXPECT_EQ(call.boxes.back(), kPatched);
    EXPECT_EQ(ReadBytes(cars), OneEntryArchive("new"));
}

// Without GP4, or without the update's folder, the package is refused:
// exit code 2, no success message, the archive as it was.
// What can be checked is checked before the question: a refused call asks
// nothing, and is not followed by success.
TEST(AutoInstallFailureTest, ARefusalIsNotFollowedBySuccess)
{
    const PackageMachine withoutGp4(false);
    withoutGp4.PutUpdate("a.txt", "new");
    const PackageCall noGp4 = withoutGp4.Call({"\\1wad", "cars.wad"});
    EXPECT_EQ(noGp4.exitCode, 2);
    EXPECT_EQ(noGp4.boxes, (std::vector<Box>{{"message", "Sorry but no GP4 installation was found"}}));

    const PackageMachine machine;
    const std::string cars = machine.PutArchive("cars.wad", "old");
    machine.PutUpdate("carsfix/a.txt", "new");
    const PackageCall noFolder = machine.Call({"\\1wad", "cars.wad", "nosuch"});
    EXPECT_EQ(noFolder.exitCode, 2);
    EXPECT_EQ(noFolder.boxes, (std::vector<Box>{{"message", "Sorry but this source folder does not exist: "
                                                            "UpdateFolder/nosuch"}}));
    EXPECT_EQ(ReadBytes(cars), OneEntryArchive("old"));
}

TEST(AutoInstallFailureTest, AFileErrorEndsTheProcessWithItsText)
{
    const PackageMachine machine;
    const std::string cars = machine.gp4Folder + "/cars.wad";
    const std::string truncated("\x02\x00", 2);  // too short for an entry count
    WriteBytes(cars, truncated);
    machine.PutUpdate("a.txt", "new");

    const PackageCall call = machine.Call({"\\1wad", "cars.wad"});

    EXPECT_EQ(call.exitCode, 1);
    ASSERT_EQ(call.boxes.size(), 2u);
    EXPECT_EQ(call.boxes[1].kind, "error");
    EXPECT_EQ(call.boxes[1].text, "Lecture au-delà de la fin de fichier");
    EXPECT_EQ(ReadBytes(cars), truncated);
}

}  // namespace
}  // namespace mw::test
