#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>

#include <gtest/gtest.h>

#include "core/wad.h"
#include "ops/messages.h"
#include "ops/operations.h"
#include "ops/undo_wad.h"
#include "tests/ops/recording_frontend.h"
#include "tests/support/temp_dir.h"

namespace mw {
namespace {

using test::TempDir;

class CreateWadTest : public ::testing::Test {
protected:
    std::string Run(const std::string& source, std::optional<std::string> answer)
    {
        ui.dialogAnswer = std::move(answer);
        return test::ErrorOf([&] { CreateWad(state, ui, {source}); });
    }
    TempDir dir;
    RunState state;
    test::RecordingFrontend ui;
};

TEST_F(CreateWadTest, PacksAFolderInTheOrderTheFileSystemListsIt)
{
    dir.Write("mods/a.txt", "abc");
    dir.Write("mods/sub/b.bin", "");
    const std::string archive = dir / "out.wad";
    ASSERT_EQ(Run(dir / "mods", archive), "no error");

    const bool aFirst = test::DirectoryOrder(dir / "mods").front() == "a.txt";
    const std::vector<std::pair<std::string, std::string>> inOrder =
        aFirst ? std::vector<std::pair<std::string, std::string>>{{"a.txt", "abc"}, {"sub\\b.bin", ""}}
               : std::vector<std::pair<std::string, std::string>>{{"sub\\b.bin", ""}, {"a.txt", "abc"}};
    EXPECT_EQ(test::ReadBytes(archive), test::ContiguousArchive(inOrder));
    EXPECT_EQ(test::ReadBytes(archive).size(), 279u);
    EXPECT_EQ(ui.saveFileName, archive);
    EXPECT_EQ(ui.saveFilter, "Wad file(*.wad)|*.wad");
    EXPECT_EQ(state.Settings->ReadSetting("FileName", "-"), dir / "mods");
    EXPECT_EQ(ui.windowRepaints, 1);
    EXPECT_EQ(ui.positions.back(), 0);
    EXPECT_EQ(ui.LastStatus().rfind("Wad created in ", 0), 0u);
    EXPECT_EQ(ui.LastStatus().back(), 's');
}

TEST_F(CreateWadTest, ProposesTheFolderNameAndShowsEachFilesPercentage)
{
    for (const char* name : {"1.bin", "2.bin", "3.bin"})
        dir.Write(std::string("pack/") + name, name);
    ASSERT_EQ(Run(dir / "pack", std::nullopt), "no error");
    EXPECT_EQ(ui.saveFileName, "pack.wad");
    EXPECT_TRUE(ui.statusTexts.empty());  // a cancelled dialog shows nothing

    ASSERT_EQ(Run(dir / "pack/", dir / "pack.wad"), "no error");
    EXPECT_EQ(ui.saveFileName, dir / "pack.wad");
    const std::vector<std::string> items(ui.statusTexts.begin(), ui.statusTexts.end() - 1);
    EXPECT_EQ(items, (std::vector<std::string>{"Creating files : 33%", "Creating files : 66%",
                                               "Creating files : 100%"}));
    EXPECT_EQ(ui.positions, (std::vector<int>{33, 66, 100, 0}));

    WadImage written;
    LoadWad(dir / "pack.wad", written);
    ASSERT_EQ(written.EntryCount, 3);
    for (const WadEntry& entry : written.Entries) {
        const std::string_view name = EntryName(entry);
        EXPECT_EQ(name.size(), 5u);  // the names as relative paths, NULs after them
        EXPECT_EQ(std::string(entry.Name + name.size(), 128 - name.size()), std::string(128 - name.size(), '\0'));
    }
}

TEST_F(CreateWadTest, RefusesSourcesThatGiveFewerThanTwoFiles)
{
    const std::string one = dir.Write("one/only.txt", "x");
    dir.Write("pic.jpeg", "not a folder");
    dir.MakeFolder("my.old");
    const std::string folder = RefusalText({RefusalKind::ChooseSourceFolder});
    const std::string file = RefusalText({RefusalKind::WrongFilePath});
    struct Case {
        std::string source;
        std::string message;
    };
    for (const Case& c : std::vector<Case>{{dir / "one", folder},
                                           {one, folder},
                                           {kSourcePlaceholder, folder},
                                           {"", folder},
                                           {dir / "pic.jpeg", folder},
                                           {dir / "my.old", folder},  // a folder on disk, whatever its name
                                           {dir / "missing.txt", file}}) {
        ui = {};
        ASSERT_EQ(Run(c.source, dir / "never.wad"), "no error");
        EXPECT_EQ(ui.userErrors, std::vector<std::string>{c.message}) << c.source;
        EXPECT_EQ(ui.dialogRuns, 0);
    }
    EXPECT_FALSE(test::Exists(dir / "never.wad"));
    EXPECT_FALSE(state.Settings->Read("FileName"));
}

TEST_F(CreateWadTest, ASourceThatVanishesStopsBeforeTheArchiveIsTouched)
{
    dir.Write("mods/a.txt", "abc");
    dir.Write("mods/b.txt", "def");
    const std::string archive = dir.Write("out.wad", "old");
    // The dialog is where the user could remove a file after the listing.
    struct RemovingFrontend : test::RecordingFrontend {
        std::string victim;
        std::optional<std::string> AskSaveLocation(const SaveRequest& request) override
        {
            std::remove(victim.c_str());
            return RecordingFrontend::AskSaveLocation(request);
        }
    } removing;
    removing.dialogAnswer = archive;
    removing.victim = dir / "mods/b.txt";
    EXPECT_EQ(test::ErrorOf([&] { CreateWad(state, removing, {dir / "mods"}); }), "Fichier introuvable");
    EXPECT_EQ(test::ReadBytes(archive), "old");
    EXPECT_EQ(state.Settings->ReadSetting("FileName", "-"), dir / "mods");
}

// Nothing is measured before it is read: a file that changes while the
// archive is written is stored with the bytes it held when it was copied.
TEST_F(CreateWadTest, StoresEachFileAsItWasWhenCopied)
{
    dir.Write("mods/a.txt", "abc");
    dir.Write("mods/b.txt", "defghi");
    // Both files change as the last one's percentage shows.
    struct ChangingFrontend : test::RecordingFrontend {
        TempDir* dir = nullptr;
        void ShowProgress(const Progress& progress) override
        {
            RecordingFrontend::ShowProgress(progress);
            if (progress.phase != ProgressPhase::Creating || progress.percent != 100)
                return;
            dir->Write("mods/a.txt", "a longer text");
            dir->Write("mods/b.txt", "");
        }
    } changing;
    changing.dir = &dir;
    changing.dialogAnswer = dir / "out.wad";
    ASSERT_EQ(test::ErrorOf([&] { CreateWad(state, changing, {dir / "mods"}); }), "no error");
    const bool aFirst = test::DirectoryOrder(dir / "mods").front() == "a.txt";
    WadImage written;
    LoadWad(dir / "out.wad", written);
    std::map<std::string, std::string> stored;
    for (std::int32_t i = 0; i < written.EntryCount; ++i)
        stored[std::string(EntryName(written.Entries[i]))] = written.Payloads[i].Load();
    EXPECT_EQ(stored, (std::map<std::string, std::string>{{"a.txt", aFirst ? "abc" : "a longer text"},
                                                          {"b.txt", aFirst ? "" : "defghi"}}));
}

// A file too large for an archive's 32-bit offsets is refused after its
// first megabyte, not copied whole first.
TEST_F(CreateWadTest, RefusesAFileTooLargeForAnArchive)
{
    dir.Write("mods/a.txt", "a");
    const std::string large = dir.Write("mods/large.bin", "");
    ASSERT_EQ(::truncate(large.c_str(), std::int64_t{1} << 31), 0);  // sparse: costs no disk
    ASSERT_EQ(Run(dir / "mods", dir / "x.wad"), "no error");
    EXPECT_EQ(ui.userErrors, std::vector<std::string>{kWadTooLargePrefix + large});
    EXPECT_FALSE(test::Exists(dir / "x.wad"));
}

TEST_F(CreateWadTest, RefusesANameLongerThanItsField)
{
    dir.Write("mods/a.txt", "a");
    const std::string longName(129, 'n');
    dir.Write("mods/" + longName, "b");
    ASSERT_EQ(Run(dir / "mods", dir / "x.wad"), "no error");
    EXPECT_EQ(ui.userErrors, std::vector<std::string>{kNameTooLongPrefix + longName});
    EXPECT_FALSE(test::Exists(dir / "x.wad"));

    ui = {};
    dir.Write("fits/a.txt", "a");
    dir.Write("fits/" + std::string(128, 'n'), "b");
    ASSERT_EQ(Run(dir / "fits", dir / "y.wad"), "no error");
    EXPECT_TRUE(ui.userErrors.empty());
}

TEST_F(CreateWadTest, ReadsSourcesReadOnlyAndMayReplaceOneOfThem)
{
    const std::string a = dir.Write("mods/a.txt", "abc");
    dir.Write("mods/b.txt", "def");
    ::chmod(a.c_str(), 0444);
    ui.dialogAnswer = dir / "mods/b.txt";
    // The replaced file is kept for undo, in a store that user may write.
    state.UndoFolder = dir / "undo";
    EXPECT_EQ(test::ErrorOfUnprivileged(dir, [&] { CreateWad(state, ui, {dir / "mods"}); }), "no error");
    WadImage written;
    LoadWad(dir / "mods/b.txt", written);
    EXPECT_EQ(written.EntryCount, 2);
}

// A create over an archive keeps the old one whole as an undo record: a
// hard link where the store lies on the archive's file system (the same
// file, no copy), a copy elsewhere; undo gives it back byte for byte with its
// time and leaves the store empty. A kept archive changed on the disk is a
// damaged record: the undo refuses it and writes nothing. A copy larger
// than the store's cap is not made: the create goes on, with nothing to undo.
TEST(CreateOverArchiveTest, KeepsTheReplacedArchiveForUndo)
{
    const struct {
        const char* what;
        bool sameFileSystem;
        bool damaged;
        std::int64_t cap = kDefaultUndoCap;
    } cases[] = {
        {"the store beside it", true, false},
        {"the store on another file system", false, false},
        {"the kept archive changed", true, true},
        {"a copy over the cap", false, false, 16},
    };
    for (const auto& c : cases) {
        const TempDir store;
        const TempDir place = c.sameFileSystem ? TempDir() : TempDir(test::MemoryBackedFolder());
        place.Write("mods/a.bin", "abc");
        place.Write("mods/b.bin", "de");
        const std::string old = test::ContiguousArchive({{"cars\\x.tex", "xyz"}});
        const std::string archive = place.Write("cars.wad", old);
        const timespec times[2] = {{1000000000, 0}, {1000000000, 123456789}};
        ASSERT_EQ(::utimensat(AT_FDCWD, archive.c_str(), times, 0), 0);
        struct stat before {};
        ::stat(archive.c_str(), &before);

        RunState state;
        state.UndoFolder = store / "undo";
        state.UndoCap = c.cap;
        test::RecordingFrontend ui;
        ui.dialogAnswer = archive;
        ASSERT_EQ(test::ErrorOf([&] { CreateWad(state, ui, {place / "mods"}); }), "no error") << c.what;
        const std::string created = test::ReadBytes(archive);
        std::vector<std::string> kept;
        for (const auto& file : std::filesystem::recursive_directory_iterator(store / "undo"))
            if (file.path().extension() == ".kept")
                kept.push_back(file.path().string());
        if (c.cap < static_cast<std::int64_t>(old.size())) {
            EXPECT_TRUE(kept.empty()) << c.what;
            UndoWad(state, ui, {archive});
            ASSERT_EQ(ui.userErrors.size(), 1u) << c.what;
            EXPECT_EQ(ui.userErrors[0].rfind(kNothingToUndoPrefix, 0), 0u) << ui.userErrors[0];
            EXPECT_EQ(test::ReadBytes(archive), created);
            continue;
        }
        ASSERT_EQ(kept.size(), 1u) << c.what;
        struct stat keptStat {};
        ::stat(kept[0].c_str(), &keptStat);
        EXPECT_EQ(keptStat.st_ino == before.st_ino, c.sameFileSystem) << c.what;
        if (c.damaged)
            test::WriteBytes(kept[0], "xxxx" + old.substr(4));

        const std::string error = test::ErrorOf([&] { UndoWad(state, ui, {archive}); });
        if (c.damaged) {
            EXPECT_EQ(error.rfind("Sorry but this undo record is damaged: ", 0), 0u) << error;
            EXPECT_EQ(test::ReadBytes(archive), created);
            continue;
        }
        EXPECT_EQ(error, "no error") << c.what;
        EXPECT_EQ(test::ReadBytes(archive), old) << c.what;
        struct stat after {};
        ::stat(archive.c_str(), &after);
        EXPECT_EQ(after.st_mtim.tv_nsec, 123456789) << c.what;
        EXPECT_EQ(std::distance(std::filesystem::recursive_directory_iterator(store / "undo"), {}), 1) << c.what;
    }
}

}  // namespace
}  // namespace mw
