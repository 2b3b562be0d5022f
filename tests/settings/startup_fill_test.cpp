#include <gtest/gtest.h>

#include <filesystem>

#include "settings/remembered_gp4_installation.h"
#include "settings/startup_fill.h"
#include "tests/support/temp_dir.h"

namespace mw {
namespace {

using Log = std::vector<std::string>;

class RecordingFields : public MainWindowFields {
public:
    explicit RecordingFields(Log& log) : log_(log) {}
    void SetSourceText(const std::string& text) override { log_.push_back("source text " + text); }
    void SetSourceStartFolder(const std::string& folder) override { log_.push_back("source start " + folder); }
    void SetArchiveText(const std::string& text) override { log_.push_back("archive text " + text); }
    void SetArchiveStartFolder(const std::string& folder) override { log_.push_back("archive start " + folder); }

private:
    Log& log_;
};

// A lookup that opens the key and finds GP4.exe in folder, or finds none.
class ScriptedInstallation : public Gp4Installation {
public:
    ScriptedInstallation(Log& log, std::optional<std::string> folder) : log_(log), folder_(std::move(folder)) {}
    void FindInstallationFolder(std::string& path) override
    {
        log_.push_back("FindInstallationFolder");
        SetFoundInstallation(folder_.has_value());
        if (folder_)
            path = *folder_;
    }

private:
    Log& log_;
    std::optional<std::string> folder_;
};

class StartupFillTest : public ::testing::Test {
protected:
    StartupFillTest()
    {
        // What an earlier run left behind.
        state_.Settings->WriteSetting(kFileNameValue, "/old/source.txt");
        UseGame("/games/gp4");
    }

    void UseGame(std::optional<std::string> folder)
    {
        state_.Installation = std::make_unique<ScriptedInstallation>(log_, std::move(folder));
    }

    void FillFromSettings() { mw::FillFromSettings(state_.View(), fields_, openSettings_); }

    static std::string CurrentFolder() { return std::filesystem::current_path().string(); }

    Log log_;
    // What the windowed program keeps for the whole run.
    struct RunPieces {
        std::unique_ptr<SettingsStore> Settings = std::make_unique<InMemorySettings>();
        std::unique_ptr<Gp4Installation> Installation;
        StartupState View() { return {Settings, Installation.get()}; }
    } state_;
    RecordingFields fields_{log_};
    std::map<std::string, std::string> stored_;
    SettingsStore* opened_ = nullptr;
    SettingsFactory openSettings_ = [this] {
        log_.push_back("open settings");
        auto settings = std::make_unique<InMemorySettings>();
        for (const auto& [name, text] : stored_)
            settings->WriteSetting(name, text);
        opened_ = settings.get();
        return settings;
    };
};

TEST_F(StartupFillTest, FirstStartTakesTheDefaultsInOrder)
{
    FillFromSettings();
    EXPECT_EQ(log_, (Log{"open settings", "FindInstallationFolder", "source text ...or select a file",
                         "source start " + CurrentFolder() + "/", "FindInstallationFolder", "archive start /games/gp4",
                         "archive text "}));
    EXPECT_EQ(state_.Settings.get(), opened_);
}

TEST_F(StartupFillTest, StoredPathsFillTheFieldsAndTheirFolders)
{
    stored_ = {{kFileNameValue, "/mnt/d/Mods/cars/car.gp4"}, {kWadNameValue, "/games/gp4/cars.wad"}};
    FillFromSettings();
    EXPECT_EQ(log_, (Log{"open settings", "FindInstallationFolder", "source text /mnt/d/Mods/cars/car.gp4",
                         "source start /mnt/d/Mods/cars/", "FindInstallationFolder", "archive start /games/gp4",
                         "archive text /games/gp4/cars.wad"}));

    log_.clear();
    stored_ = {{kFileNameValue, "/mnt/d/Mods/update"}};
    FillFromSettings();
    EXPECT_EQ(log_[3], "source start /mnt/d/Mods/");
}

TEST_F(StartupFillTest, WithoutAGameTheArchiveFieldStartsInTheCurrentFolder)
{
    UseGame(std::nullopt);
    stored_ = {{kWadNameValue, "/games/gp4/cars.wad"}};
    FillFromSettings();
    EXPECT_EQ(log_, (Log{"open settings", "FindInstallationFolder", "source text ...or select a file",
                         "source start " + CurrentFolder() + "/", "archive start " + CurrentFolder()}));
}

TEST_F(StartupFillTest, OkFillsTheFieldsAgainOnlyForAFolderWithTheGame)
{
    test::TempDir chosen;
    chosen.Write("GP4.exe.bak", "");
    EXPECT_FALSE(ApplyChosenGp4Folder(chosen.path(), state_.View(), fields_, openSettings_));
    EXPECT_TRUE(log_.empty());

    chosen.Write("Gp4.Exe", "MZ");
    EXPECT_TRUE(ApplyChosenGp4Folder(chosen.path(), state_.View(), fields_, openSettings_));
    EXPECT_EQ(log_.size(), 7u);
}

// The Wine lookup wins; the remembered folder counts only while it holds GP4.exe.
TEST(RememberedGp4Installation, StandsInOnlyWhenTheSystemLookupFindsNothing)
{
    test::TempDir dir;
    const std::string wine = dir.MakeFolder("wine gp4");
    const std::string chosen = dir.MakeFolder("chosen");
    dir.Write("chosen/GP4.EXE", "MZ");
    struct Case {
        std::optional<std::string> system, remembered, expected;
    };
    const Case cases[] = {
        {wine, chosen, wine},
        {std::nullopt, chosen, chosen},
        {std::nullopt, wine, std::nullopt},
        {std::nullopt, std::nullopt, std::nullopt},
    };
    for (const Case& c : cases) {
        Log log;
        std::unique_ptr<SettingsStore> settings = std::make_unique<InMemorySettings>();
        if (c.remembered)
            RememberGp4Folder(*settings, *c.remembered);
        RememberedGp4Installation installation(std::make_unique<ScriptedInstallation>(log, c.system), settings);
        std::string path;
        installation.FindInstallationFolder(path);
        EXPECT_EQ(installation.FoundInstallation(), c.expected.has_value()) << c.remembered.value_or("-");
        EXPECT_EQ(path, c.expected.value_or("")) << c.remembered.value_or("-");
    }
}

}  // namespace
}  // namespace mw
