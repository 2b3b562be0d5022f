#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "settings/posix/qt_settings_store.h"
#include "tests/support/temp_dir.h"

namespace mw {
namespace {

using test::TempDir;

// Each test gets a config folder of its own.
class QtSettingsStoreTest : public ::testing::Test {
protected:
    QtSettingsStoreTest() { UseConfigFolder(config_.path()); }
    ~QtSettingsStoreTest() override { UseConfigFolder(saved_); }

    static void UseConfigFolder(const std::string& folder) { ::setenv("XDG_CONFIG_HOME", folder.c_str(), 1); }

    std::string KeyFile() const { return config_ / "Vosk's Mendwright.conf"; }

    const std::string saved_ = std::getenv("XDG_CONFIG_HOME") ? std::getenv("XDG_CONFIG_HOME") : "";
    TempDir config_;
};

TEST_F(QtSettingsStoreTest, FirstStartCreatesTheKeyEmptyAndReadsDefaults)
{
    QtSettingsStore settings;
    EXPECT_EQ(settings.Location(), KeyFile());
    EXPECT_EQ(test::ReadBytes(KeyFile()), "");
    EXPECT_EQ(settings.ReadSetting(kFileNameValue, "...or select a file"), "...or select a file");
    EXPECT_EQ(settings.ReadSetting(kWadNameValue, ""), "");
    EXPECT_TRUE(settings.ReadSettingFlag(kContinueValue, true));
}

TEST_F(QtSettingsStoreTest, EveryWriteReachesTheFileAndReadsBackWhole)
{
    for (const std::string text : {"/home/u/GP4 Mods/cars, new;1/car.gp4", "\"quoted\" \\back\\ caf\xc3\xa9",
                                   " blanks ", "", "@Variant(0)"}) {
        QtSettingsStore writer;
        writer.WriteSetting(kFileNameValue, text);
        EXPECT_NE(test::ReadBytes(KeyFile()).find("FileName="), std::string::npos);
        QtSettingsStore reader;
        EXPECT_EQ(reader.ReadSetting(kFileNameValue, "missing"), text);
    }

    QtSettingsStore flags;
    flags.WriteSettingFlag(kContinueValue, false);
    EXPECT_NE(test::ReadBytes(KeyFile()).find("Continue=0"), std::string::npos);
    EXPECT_FALSE(QtSettingsStore().ReadSettingFlag(kContinueValue, true));
}

// Whatever a link at the key file's path leads to, a file or a path that
// names none, is left alone: a file of the store's own takes its place, when
// the link is there at start-up or planted later.
TEST_F(QtSettingsStoreTest, ALinkAtTheKeyFileIsReplacedNotWrittenThrough)
{
    const std::string target = config_.Write("elsewhere/target.txt", "not settings\n");
    const std::string dangling = config_ / "elsewhere/made-through-the-link.conf";
    for (const bool plantedLater : {false, true}) {
        std::filesystem::remove(KeyFile());
        if (!plantedLater)
            std::filesystem::create_symlink(dangling, KeyFile());
        QtSettingsStore settings;
        if (plantedLater) {
            std::filesystem::remove(KeyFile());
            std::filesystem::create_symlink(target, KeyFile());
        }
        settings.WriteSetting(kWadNameValue, "/games/gp4/cars.wad");
        EXPECT_FALSE(std::filesystem::is_symlink(KeyFile())) << plantedLater;
        EXPECT_EQ(QtSettingsStore().ReadSetting(kWadNameValue, ""), "/games/gp4/cars.wad");
    }
    EXPECT_EQ(test::ReadBytes(target), "not settings\n");
    EXPECT_FALSE(test::Exists(dangling));
}

TEST_F(QtSettingsStoreTest, AValueThatIsNotATextFailsItsRead)
{
    test::WriteBytes(KeyFile(), "[General]\nFileName=a, b\n");  // an INI list
    QtSettingsStore settings;
    EXPECT_EQ(test::ErrorOf([&] { settings.ReadSetting(kFileNameValue, ""); }),
              "Type de données incorrect pour 'FileName'");
}

TEST_F(QtSettingsStoreTest, AWriteThatCannotBeStoredFails)
{
    const std::string folder = config_.MakeFolder("locked");
    UseConfigFolder(folder);
    ::chmod(folder.c_str(), 0555);
    EXPECT_EQ(test::ErrorOfUnprivileged(config_, [] { QtSettingsStore().WriteSetting(kWadNameValue, "x"); }),
              "Echec de la définition des données pour 'WadName'");
}

// The store never opens what is no regular file: a pipe there would hold
// the program up at start, waiting for a writer.
TEST_F(QtSettingsStoreTest, WhatIsNoRegularFileReadsAsEmptyAndRefusesWrites)
{
    for (const bool pipe : {true, false}) {
        std::filesystem::remove(KeyFile());
        ASSERT_EQ(pipe ? ::mkfifo(KeyFile().c_str(), 0600) : ::mkdir(KeyFile().c_str(), 0700), 0);
        ::alarm(10);  // a store that opens the pipe ends the test here
        QtSettingsStore settings;
        EXPECT_EQ(settings.ReadSetting(kFileNameValue, "...or select a file"), "...or select a file");
        EXPECT_EQ(test::ErrorOf([&] { settings.WriteSetting(kWadNameValue, "x"); }),
                  "Sorry but the settings file is not a regular file, so no setting can be stored in it");
        ::alarm(0);
        struct stat st {};
        ASSERT_EQ(::stat(KeyFile().c_str(), &st), 0);
        EXPECT_EQ(pipe ? S_ISFIFO(st.st_mode) : S_ISDIR(st.st_mode), true);
    }
}

TEST_F(QtSettingsStoreTest, ABrokenFileDoesNotStopLaterWrites)
{
    test::WriteBytes(KeyFile(), "[General\nFileName=x\n\x01\n");
    QtSettingsStore settings;
    settings.WriteSetting(kWadNameValue, "/games/gp4/cars.wad");
    EXPECT_EQ(QtSettingsStore().ReadSetting(kWadNameValue, ""), "/games/gp4/cars.wad");
}

}  // namespace
}  // namespace mw
