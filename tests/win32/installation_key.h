// The game's installation key for the tests of mendwright.exe under Wine.
#pragma once

#include <windows.h>

#include <string>

#include "core/win32/wide_text.h"
#include "settings/gp4_key.h"
#include "settings/win32/registry_settings_store.h"

namespace mw::test {

// The installation key as the game's installer writes it, in the 32-bit view.
class Gp4Key {
public:
    explicit Gp4Key(const std::string& folder)
    {
        HKEY key = nullptr;
        const std::wstring path = WideFromUtf8(kGp4InstallKey);
        const std::wstring text = WideFromUtf8(folder);
        RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE | KEY_WOW64_32KEY, nullptr,
                        &key, nullptr);
        RegSetValueExW(key, L"Directory", 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                       static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
        RegCloseKey(key);
    }
    ~Gp4Key()
    {
        RegDeleteKeyExW(HKEY_LOCAL_MACHINE, WideFromUtf8(kGp4InstallKey).c_str(), KEY_WOW64_32KEY, 0);
        RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey);
    }
};

}  // namespace mw::test
