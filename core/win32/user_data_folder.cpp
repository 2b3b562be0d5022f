#include "core/user_data_folder.h"

#include <cstdlib>

#include <windows.h>

#include <knownfolders.h>
#include <shlobj.h>

#include "core/file.h"
#include "core/win32/wide_text.h"

namespace mw {

// The wide environment, so that a user name outside the code page survives.
std::string UserDataFolder()
{
    const wchar_t* local = _wgetenv(L"LOCALAPPDATA");
    return local != nullptr ? Utf8FromWide(local) : std::string();
}

// The known folder, so that a Documents moved elsewhere (or to OneDrive)
// is the one proposed.
std::string UserDocumentsFolder()
{
    PWSTR path = nullptr;
    std::string folder;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_Documents, KF_FLAG_DEFAULT, nullptr, &path)))
        folder = Utf8FromWide(path);
    CoTaskMemFree(path);
    return !folder.empty() && FolderExists(folder) ? folder : "";
}

}  // namespace mw
