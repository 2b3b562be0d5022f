#include <gtest/gtest.h>

#include <filesystem>

#include "core/path_helpers.h"
#include "core/wad.h"
#include "ops/entry_name_check.h"
#include "ops/messages.h"
#include "ops/operations.h"
#include "tests/ops/recording_frontend.h"
#include "tests/support/temp_dir.h"

namespace mw {
namespace {

using test::TempDir;

class ExtractWadTest : public ::testing::Test {
protected:
    std::string Run(const std::string& archive, std::optional<std::string> answer)
    {
        ui.dialogAnswer = std::move(answer);
        return test::ErrorOf([&] { ExtractWad(state, ui, {archive}); });
    }
    TempDir dir;
    RunState state;
    test::RecordingFrontend ui;
};

TEST_F(ExtractWadTest, WritesEveryEntryBelowTheOutputFolder)
{
    const std::string archive = dir.Write(
        "in/cars.wad", test::ContiguousArchive({{"cars\\textures\\a.tex", "tex"}, {"readme.txt", "hi"},
                                                {"empty.bin", ""}, {"readme.txt", "later wins"}}));
    dir.Write("out/cars/readme.txt", "an older and longer file");
    ASSERT_EQ(Run(archive, dir / "out/cars"), "no error");
    EXPECT_EQ(test::ReadBytes(dir / "out/cars/cars/textures/a.tex"), "tex");
    EXPECT_EQ(test::ReadBytes(dir / "out/cars/readme.txt"), "later wins");
    EXPECT_EQ(test::ReadBytes(dir / "out/cars/empty.bin"), "");
    EXPECT_EQ(ui.statusTexts.size(), 5u);
    EXPECT_EQ(ui.statusTexts[0], "Extracting files : 0%");
    EXPECT_EQ(ui.statusTexts[1], "Extracting files : 25%");
    EXPECT_EQ(ui.statusTexts[3], "Extracting files : 75%");
    EXPECT_EQ(ui.LastStatus().rfind("Wad extracted in ", 0), 0u);
    EXPECT_EQ(ui.positions, (std::vector<int>{0, 25, 50, 75, 0}));
    EXPECT_EQ(state.Settings->ReadSetting("WadName", "-"), archive);
    EXPECT_EQ(state.Settings->ReadSetting("ExtractPath", "-"), dir / "out/");
}

TEST_F(ExtractWadTest, ProposesTheStoredFolderAndTheArchivesBaseName)
{
    const std::string archive = dir.Write("gp4/cars.wad", test::ContiguousArchive({{"a", "1"}}));
    // The first time, the user's documents, never the game's folder; with
    // no documents folder, beside the archive.
    state.DocumentsFolder = dir / "documents";
    ASSERT_EQ(Run(archive, std::nullopt), "no error");  // cancelled
    EXPECT_EQ(ui.saveFileName, dir / "documents/cars");
    EXPECT_EQ(ui.saveFilter, "");
    EXPECT_TRUE(ui.statusTexts.empty());
    EXPECT_EQ(state.Settings->ReadSetting("WadName", "-"), archive);
    EXPECT_EQ(state.Settings->ReadSetting("ExtractPath", "-"), dir / "documents/");
    state.Settings = std::make_unique<InMemorySettings>();
    state.DocumentsFolder.clear();
    ASSERT_EQ(Run(archive, std::nullopt), "no error");
    EXPECT_EQ(ui.saveFileName, dir / "gp4/cars");

    state.Settings->WriteSetting("ExtractPath", dir / "work/");
    ASSERT_EQ(Run(archive, dir / "mods/cars"), "no error");
    EXPECT_EQ(ui.saveFileName, dir / "mods/cars");
    EXPECT_EQ(state.Settings->ReadSetting("ExtractPath", "-"), dir / "mods/");
    EXPECT_EQ(test::ReadBytes(dir / "mods/cars/a"), "1");
}

TEST_F(ExtractWadTest, AnEmptyArchiveCreatesNothingNotEvenTheOutputFolder)
{
    const std::string archive = dir.Write("e.wad", std::string(4, '\0'));
    ASSERT_EQ(Run(archive, dir / "out"), "no error");
    EXPECT_FALSE(test::Exists(dir / "out"));
    EXPECT_EQ(ui.statusTexts.size(), 1u);
}

TEST_F(ExtractWadTest, NoArchiveFileIsRefusedBeforeAnythingElse)
{
    dir.MakeFolder("folder.wad");
    for (const std::string& text : {dir / "missing.wad", dir / "folder.wad", std::string()}) {
        ui = {};
        ASSERT_EQ(Run(text, dir / "out"), "no error");
        EXPECT_EQ(ui.userErrors, std::vector<std::string>{RefusalText({RefusalKind::ChooseWadFile})});
        EXPECT_EQ(ui.dialogRuns, 0);
    }
    EXPECT_FALSE(state.Settings->Read("WadName"));
}

TEST_F(ExtractWadTest, AnEmptyOutputFolderIsRefused)
{
    const std::string archive = dir.Write("a.wad", test::ContiguousArchive({{"a", "1"}}));
    ASSERT_EQ(Run(archive, ""), "no error");
    EXPECT_EQ(ui.userErrors, std::vector<std::string>{kChooseOutputFolder});
    EXPECT_TRUE(ui.statusTexts.empty());
    EXPECT_FALSE(state.Settings->Read("ExtractPath"));
}

TEST_F(ExtractWadTest, AHostileNameRefusesTheWholeArchive)
{
    for (const std::string name : {"..\\evil.txt", "a\\..\\..\\evil.txt", "\\evil.txt", "\\\\server\\share\\x",
                                   "C:\\evil.txt", "C:evil.txt", ".\\x", "a/../../evil.txt", "", "dir\\",
                                   "a\\b/"}) {
        ui = {};
        state.Settings = std::make_unique<InMemorySettings>();
        const std::string archive =
            dir.Write("bad.wad", test::ContiguousArchive({{"fine.txt", "ok"}, {name, "evil"}}));
        EXPECT_EQ(Run(archive, dir / "out/x"), kUnsafeEntryPrefix + name) << name;
        EXPECT_FALSE(test::Exists(dir / "out")) << name;
        EXPECT_TRUE(state.Settings->Read("WadName"));
        EXPECT_FALSE(state.Settings->Read("ExtractPath"));
    }
    EXPECT_FALSE(test::Exists(dir / "evil.txt"));
}

TEST_F(ExtractWadTest, SafeNamesPassTheCheck)
{
    for (const char* name : {"a.txt", "cars\\a.tex", "x..y", "..a", "a\\.b", "C"})
        EXPECT_TRUE(IsSafeEntryName(name)) << name;
    // Refused only where Windows writes the files.
    for (const char* name : {"1:x", "con.txt\\x", "a."})
        EXPECT_EQ(IsSafeEntryName(name), !kWindowsFileNames) << name;
}

// Names Windows would take as a device, trim or read as a stream: refused
// where Windows writes the files.
TEST_F(ExtractWadTest, NamesWindowsCannotWriteAreTold)
{
    for (const char* name : {"CON", "con.txt", "Nul", "aux.tar.gz", "COM1", "lpt9.x", "prn ", "a.", "a ", "a:b",
                             "a<b", "a>b", "a\"b", "a|b", "a?b", "a*b", "a\x01b",
                             // COM and LPT with a superscript digit, in UTF-8 and in code page 1252
                             "COM\xC2\xB9", "lpt\xC2\xB2.txt", "Com\xC2\xB3 .dat", "COM\xB9", "LPT\xB3.x"})
        EXPECT_FALSE(IsWindowsFileName(name)) << name;
    for (const char* name : {"console", "COM0", "com10", "lpt", "a.b", ".a", "nul_x", "COM\xC2\xB9\xC2\xB9", "COM\xC2\xBC",
                             "LPT\xC2\xB9x"})
        EXPECT_TRUE(IsWindowsFileName(name)) << name;
}

// COM and LPT with a superscript 1, 2 or 3 are devices to Windows too: where
// it writes the files they refuse the archive as COM1 does; elsewhere they
// are names like any other.
TEST_F(ExtractWadTest, SuperscriptDevicesAreRefusedWhereWindowsWrites)
{
    struct Row {
        const char* entry;  // in code page 1252
        const char* shown;  // as UTF-8
        const char* file;   // where Linux writes it, below the output folder
    };
    for (const Row& row : {Row{"COM\xB9", "COM\xC2\xB9", "COM\xB9"}, Row{"lpt\xB2.txt", "lpt\xC2\xB2.txt", "lpt\xB2.txt"},
                           Row{"cars\\Com\xB3 .dat", "cars\\Com\xC2\xB3 .dat", "cars/Com\xB3 .dat"}}) {
        const std::string archive =
            dir.Write("devices.wad", test::ContiguousArchive({{"fine.txt", "ok"}, {row.entry, "device"}}));
        const std::string error = Run(archive, dir / "out");
        if (kWindowsFileNames) {
            EXPECT_EQ(error, kUnsafeEntryPrefix + std::string(row.shown));
            EXPECT_FALSE(test::Exists(dir / "out")) << row.shown;
        } else {
            EXPECT_EQ(error, "no error");
            EXPECT_EQ(test::ReadBytes(dir / (std::string("out/") + row.file)), "device");
        }
        std::filesystem::remove_all(dir / "out");
    }
}

// Cancelled between entries, extraction keeps the files it wrote, whole, and
// says how many.
TEST_F(ExtractWadTest, ACancelledExtractionKeepsTheFilesWrittenAndCountsThem)
{
    const std::string archive =
        dir.Write("cars.wad", test::ContiguousArchive({{"a", "A"}, {"b", "B"}, {"c", "C"}, {"d", "D"}}));
    test::CancellingFrontend cancelling;
    cancelling.dialogAnswer = dir / "out";
    cancelling.cancelAt = 3;
    EXPECT_EQ(test::ErrorOf([&] { ExtractWad(state, cancelling, {archive}); }), "Cancelled: 2 files extracted");
    EXPECT_EQ(test::ReadBytes(dir / "out/b"), "B");
    EXPECT_FALSE(std::filesystem::exists(dir / "out/c"));
}

TEST_F(ExtractWadTest, ATruncatedArchiveStopsWithFilesWrittenSoFar)
{
    const std::string whole = test::ContiguousArchive({{"a.txt", "aaaa"}, {"b.txt", "bbbb"}});
    const std::string archive = dir.Write("cut.wad", whole.substr(0, whole.size() - 2));
    EXPECT_EQ(Run(archive, dir / "out"), "Lecture au-delà de la fin de fichier");
    EXPECT_EQ(test::ReadBytes(dir / "out/a.txt"), "aaaa");
    EXPECT_FALSE(test::Exists(dir / "out/b.txt"));
    EXPECT_EQ(ui.LastStatus(), "Extracting files : 50%");
    EXPECT_FALSE(state.Settings->Read("ExtractPath"));
}

}  // namespace
}  // namespace mw
