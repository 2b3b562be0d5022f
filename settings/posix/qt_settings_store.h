// The per-user settings of the Linux program, in an INI file through Qt.
#pragma once

#include <optional>
#include <string>

#include "core/settings_store.h"

namespace mw {

// The key "Software\Vosk's Mendwright" as the INI file
// "Vosk's Mendwright.conf" in the user's config folder ($XDG_CONFIG_HOME,
// else ~/.config). Values are texts only. Each call opens the key afresh and
// each write is flushed at once, so nothing waits in memory and a failure
// shows in the call that met it. A link at the INI file's path is replaced
// by a regular file, never written through; anything else there that is no
// regular file (a pipe, a device, a folder) is never opened: it reads as
// empty and refuses every write.
class QtSettingsStore : public SettingsStore {
public:
    // Creates the key when it is missing. A key that cannot be created reads
    // as empty; the first write then reports the failure.
    QtSettingsStore();

    // Throws AppError when the value exists but is not a text.
    std::optional<std::string> Read(const std::string& name) override;
    // Throws AppError when the value cannot be stored.
    void Write(const std::string& name, const std::string& text) override;

    // The INI file's path.
    std::string Location() const;
};

}  // namespace mw
