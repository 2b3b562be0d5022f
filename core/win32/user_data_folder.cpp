#include "core/user_data_folder.h"

#include <cstdlib>

#include "core/win32/wide_text.h"

namespace mw {

// The wide environment, so that a user name outside the code page survives.
std::string UserDataFolder()
{
    const wchar_t* local = _wgetenv(L"LOCALAPPDATA");
    return local != nullptr ? Utf8FromWide(local) : std::string();
}

}  // namespace mw
