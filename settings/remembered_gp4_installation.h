// The GP4 folder chosen with "Change GP4 Path", remembered in Mendwright's
// own settings. A game copied into place, or installed in another Wine
// prefix, has no installation key that the lookup can read, and nothing may
// write that machine-wide key for the player; the chosen folder stands in
// for it whenever the system's lookup finds no installation.
#pragma once

#include <memory>
#include <string>

#include "core/gp4_installation.h"
#include "core/settings_store.h"

namespace mw {

// The settings value that holds the chosen folder (no trailing separator).
inline constexpr const char* kGp4FolderValue = "GP4Folder";

// The system's lookup first; when it finds no installation, the remembered
// folder if it still holds GP4.exe. settings is the run's store, which the
// start-up fill replaces; it is read at each lookup.
class RememberedGp4Installation : public Gp4Installation {
public:
    RememberedGp4Installation(std::unique_ptr<Gp4Installation> system, std::unique_ptr<SettingsStore>& settings)
        : system_(std::move(system)), settings_(settings) {}

    void FindInstallationFolder(std::string& path) override;

private:
    std::unique_ptr<Gp4Installation> system_;
    std::unique_ptr<SettingsStore>& settings_;
};

// The windowed program's lookup: the system's with the remembered folder behind it.
std::unique_ptr<Gp4Installation> MakeProgramGp4Installation(std::unique_ptr<SettingsStore>& settings);

// Remembers a chosen folder that holds GP4.exe.
void RememberGp4Folder(SettingsStore& settings, const std::string& folder);

}  // namespace mw
