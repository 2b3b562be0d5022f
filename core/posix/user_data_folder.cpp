#include "core/user_data_folder.h"

#include <cstdlib>

namespace mw {

std::string UserDataFolder()
{
    // A relative XDG_DATA_HOME is to be ignored: it would follow the
    // working folder.
    if (const char* data = std::getenv("XDG_DATA_HOME"); data != nullptr && data[0] == '/')
        return data;
    if (const char* home = std::getenv("HOME"); home != nullptr && home[0] != '\0')
        return std::string(home) + "/.local/share";
    return {};
}

}  // namespace mw
