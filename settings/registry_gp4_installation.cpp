#ifdef _WIN32

#include "settings/registry_gp4_installation.h"

#include <windows.h>

#include "core/file.h"
#include "settings/gp4_key.h"

namespace mw {
namespace {

// "Directory" as text; a missing value, or one that is not a text, reads empty.
std::string ReadDirectory(HKEY key)
{
    constexpr DWORD kTextTypes = RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND;
    DWORD size = 0;
    if (RegGetValueA(key, nullptr, kGp4DirectoryValue, kTextTypes, nullptr, nullptr, &size) != ERROR_SUCCESS)
        return {};
    std::string text(size, '\0');
    if (RegGetValueA(key, nullptr, kGp4DirectoryValue, kTextTypes, nullptr, text.data(), &size) != ERROR_SUCCESS)
        return {};
    text.resize(size > 0 ? size - 1 : 0);  // the size counts the NUL
    return text;
}

}  // namespace

void RegistryGp4Installation::FindInstallationFolder(std::string& path)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kGp4InstallKey, 0, KEY_QUERY_VALUE | KEY_WOW64_32KEY, &key) != ERROR_SUCCESS)
        return;
    const std::string directory = ReadDirectory(key);
    RegCloseKey(key);

    // An empty "Directory" tests "\GP4.exe" in the root of the current drive.
    const bool found = FileExists(directory + "\\" + kGp4Program);
    SetFoundInstallation(found);
    if (found)
        path = directory;
}

}  // namespace mw

#endif
