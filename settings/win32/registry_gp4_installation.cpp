#include "settings/win32/registry_gp4_installation.h"

#include <windows.h>

#include <optional>

#include "core/file.h"
#include "core/win32/wide_text.h"
#include "settings/gp4_key.h"

namespace mw {
namespace {

// "Directory" of the key in one registry view; nothing when the key cannot
// be opened. A missing value, or one that is not a text, reads empty.
std::optional<std::string> ReadDirectory(REGSAM view)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, WideFromUtf8(kGp4InstallKey).c_str(), 0, KEY_QUERY_VALUE | view, &key) !=
        ERROR_SUCCESS)
        return std::nullopt;
    constexpr DWORD kTextTypes = RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND;
    const std::wstring value = WideFromUtf8(kGp4DirectoryValue);
    std::wstring text;
    DWORD size = 0;
    if (RegGetValueW(key, nullptr, value.c_str(), kTextTypes, nullptr, nullptr, &size) == ERROR_SUCCESS) {
        text.resize(size / sizeof(wchar_t) + 1);
        size = static_cast<DWORD>(text.size() * sizeof(wchar_t));
        if (RegGetValueW(key, nullptr, value.c_str(), kTextTypes, nullptr, text.data(), &size) != ERROR_SUCCESS)
            size = 0;
        text.resize(size > 0 ? size / sizeof(wchar_t) - 1 : 0);  // the size counts the NUL
    }
    RegCloseKey(key);
    return Utf8FromWide(text);
}

}  // namespace

void RegistryGp4Installation::FindInstallationFolder(std::string& path)
{
    // The game is a 32-bit program: its key is in the 32-bit view, unless a
    // copied installation wrote it in the 64-bit one.
    bool opened = false;
    for (const REGSAM view : {KEY_WOW64_32KEY, KEY_WOW64_64KEY}) {
        const std::optional<std::string> directory = ReadDirectory(view);
        if (!directory)
            continue;
        opened = true;
        // An empty "Directory" tests "\GP4.exe" in the root of the current drive.
        if (FileExists(*directory + "\\" + kGp4Program)) {
            SetFoundInstallation(true);
            path = *directory;
            return;
        }
    }
    if (opened)
        SetFoundInstallation(false);
}

}  // namespace mw
