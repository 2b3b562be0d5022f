// The main window's start-up fill (FillFromSettings) and the Manual Path Entry
// window's OK (ApplyChosenGp4Folder), kept apart from the widgets that show them.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "core/gp4_installation.h"
#include "core/settings_store.h"

namespace mw {

// The source field and the archive field as the
// start-up fill sets them: their texts, and the folders their browse dialogs
// open in.
class MainWindowFields {
public:
    virtual ~MainWindowFields() = default;
    virtual void SetSourceText(const std::string& text) = 0;
    virtual void SetSourceStartFolder(const std::string& folder) = 0;
    virtual void SetArchiveText(const std::string& text) = 0;
    virtual void SetArchiveStartFolder(const std::string& folder) = 0;
};

// Opens the settings key, creating it when missing (QtSettingsStore in the
// windowed program).
using SettingsFactory = std::function<std::unique_ptr<SettingsStore>()>;

// The parts of the run's state that the start-up fill resets or reads.
struct StartupState {
    std::unique_ptr<SettingsStore>& Settings;
    Gp4Installation* Installation;  // must be set
};

// Puts a fresh settings store in place, looks up the
// GP4 folder and fills the two fields from the settings.
// Shows nothing; an error of the settings store is thrown.
void FillFromSettings(const StartupState& state, MainWindowFields& fields, const SettingsFactory& openSettings);

// Runs FillFromSettings again when chosenFolder (no trailing separator) holds
// GP4.exe, in any case; returns whether it did. On Linux the folder is first
// remembered in the settings, where the installation lookup finds it when
// the Wine prefix has no installation (RememberedGp4Installation); the
// game's own key is never written. The window closes either way; that is
// the caller's.
bool ApplyChosenGp4Folder(const std::string& chosenFolder, const StartupState& state, MainWindowFields& fields,
                  const SettingsFactory& openSettings);

}  // namespace mw
