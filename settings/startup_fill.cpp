#include "settings/startup_fill.h"

#include <filesystem>
#include <stdexcept>

#include "core/path_helpers.h"
#include "core/path_text.h"
#include "core/folder_lookup.h"
#include "settings/gp4_key.h"
#include "settings/remembered_gp4_installation.h"

namespace mw {
namespace {

// The process's working folder, read at each call; empty if it is gone.
std::string CurrentFolder()
{
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::current_path(error);
    return error ? std::string() : PathText(folder);
}

}  // namespace

void FillFromSettings(const StartupState& state, MainWindowFields& fields, const SettingsFactory& openSettings)
{
    if (!state.Installation)
        throw std::logic_error("FillFromSettings needs the GP4 installation lookup");
    Gp4Installation& installation = *state.Installation;

    state.Settings = openSettings();

    // Only for its effect on FoundInstallation.
    std::string ignored;
    installation.FindInstallationFolder(ignored);

    SettingsStore& settings = *state.Settings;
    fields.SetSourceText(settings.ReadSetting(kFileNameValue, kSourcePlaceholder));
    const std::string currentFolder = CurrentFolder();
    fields.SetSourceStartFolder(FolderPart(settings.ReadSetting(kFileNameValue, currentFolder + kNativeSeparator)));

    if (installation.FoundInstallation()) {
        std::string gp4Folder;
        installation.FindInstallationFolder(gp4Folder);
        fields.SetArchiveStartFolder(gp4Folder);
        fields.SetArchiveText(settings.ReadSetting(kWadNameValue, ""));
    } else {
        fields.SetArchiveStartFolder(currentFolder);
    }
}

bool ApplyChosenGp4Folder(const std::string& chosenFolder, const StartupState& state, MainWindowFields& fields,
                  const SettingsFactory& openSettings)
{
    if (!FindFileIgnoringCase(chosenFolder, kGp4Program))
        return false;
    RememberGp4Folder(*state.Settings, chosenFolder);
    FillFromSettings(state, fields, openSettings);
    return true;
}

}  // namespace mw
