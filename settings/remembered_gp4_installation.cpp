#include "settings/remembered_gp4_installation.h"

#include "core/folder_lookup.h"
#include "settings/gp4_key.h"
#include "settings/system_gp4_installation.h"

namespace mw {

void RememberedGp4Installation::FindInstallationFolder(std::string& path)
{
    std::string found;
    system_->FindInstallationFolder(found);
    if (system_->FoundInstallation()) {
        SetFoundInstallation(true);
        path = found;
        return;
    }
    const std::string remembered = settings_->ReadSetting(kGp4FolderValue, "");
    const bool valid = !remembered.empty() && FindFileIgnoringCase(remembered, kGp4Program);
    SetFoundInstallation(valid);
    if (valid)
        path = remembered;
}

std::unique_ptr<Gp4Installation> MakeProgramGp4Installation(std::unique_ptr<SettingsStore>& settings)
{
    return std::make_unique<RememberedGp4Installation>(MakeSystemGp4Installation(), settings);
}

void RememberGp4Folder(SettingsStore& settings, const std::string& folder)
{
    settings.WriteSetting(kGp4FolderValue, folder);
}

}  // namespace mw
