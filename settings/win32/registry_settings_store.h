// The per-user settings on Windows: the registry key
// HKEY_CURRENT_USER\Software\Vosk's Mendwright, each value a REG_SZ text.
// Built only on Windows.
#pragma once

#include <optional>
#include <string>

#include "core/settings_store.h"

namespace mw {

inline constexpr const wchar_t* kSettingsKey = L"Software\\Vosk's Mendwright";

// Each call opens the key afresh and each value is written to the registry
// on its own, so nothing waits in memory and a failure shows in the call
// that met it. Texts are UTF-8 here and UTF-16 in the registry.
class RegistrySettingsStore : public SettingsStore {
public:
    // Creates the key when it is missing. A key that cannot be created reads
    // as empty; the first write then reports the failure.
    RegistrySettingsStore();

    // Throws AppError when the value exists but is not a text.
    std::optional<std::string> Read(const std::string& name) override;
    // Throws AppError when the value cannot be stored.
    void Write(const std::string& name, const std::string& text) override;
};

}  // namespace mw
