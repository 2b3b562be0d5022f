#include "core/user_data_folder.h"

#include <cstdlib>
#include <fstream>

#include "core/file.h"

namespace mw {
namespace {

std::string Home()
{
    const char* home = std::getenv("HOME");
    return home != nullptr && home[0] == '/' ? home : "";
}

// XDG_DOCUMENTS_DIR="$HOME/..." or "/...", as xdg-user-dirs writes it;
// empty when the file names none.
std::string DocumentsInUserDirs(const std::string& home)
{
    const char* config = std::getenv("XDG_CONFIG_HOME");
    const std::string configFolder = config != nullptr && config[0] == '/' ? config : home + "/.config";
    std::ifstream dirs(configFolder + "/user-dirs.dirs");
    const std::string key = "XDG_DOCUMENTS_DIR=\"";
    for (std::string line; std::getline(dirs, line);) {
        if (!line.starts_with(key) || !line.ends_with('"'))
            continue;
        std::string value = line.substr(key.size(), line.size() - key.size() - 1);
        if (value.starts_with("$HOME"))
            value = home + value.substr(5);
        return value.starts_with('/') ? value : "";
    }
    return {};
}

}  // namespace

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

std::string UserDocumentsFolder()
{
    const std::string home = Home();
    if (home.empty())
        return {};
    for (const std::string& folder : {DocumentsInUserDirs(home), home + "/Documents"})
        if (!folder.empty() && FolderExists(folder))
            return folder;
    return FolderExists(home) ? home : "";
}

}  // namespace mw
