#include "settings/posix/wine_path.h"

#include <cctype>
#include <filesystem>

#include "core/file.h"
#include "core/folder_lookup.h"

namespace mw {
namespace {

std::optional<std::string> DriveRoot(const std::string& prefix, char letter)
{
    std::string root = JoinPath(JoinPath(prefix, "dosdevices"), std::string(1, letter) + ":");
    if (!FolderExists(root)) {
        if (letter != 'c')
            return std::nullopt;
        root = JoinPath(prefix, "drive_c");
        if (!FolderExists(root))
            return std::nullopt;
    }
    // The folder the link leads to is the path a user knows.
    std::error_code error;
    const std::filesystem::path real = std::filesystem::canonical(root, error);
    return error ? root : real.string();
}

}  // namespace

std::optional<std::string> FolderInPrefix(const std::string& prefix, const std::string& windowsPath)
{
    if (windowsPath.size() < 2 || !std::isalpha(static_cast<unsigned char>(windowsPath[0])) || windowsPath[1] != ':')
        return std::nullopt;
    std::optional<std::string> folder =
        DriveRoot(prefix, static_cast<char>(std::tolower(static_cast<unsigned char>(windowsPath[0]))));

    std::size_t start = 2;
    while (folder && start < windowsPath.size()) {
        std::size_t end = windowsPath.find_first_of("\\/", start);
        if (end == std::string::npos)
            end = windowsPath.size();
        if (end > start)
            folder = FindFolderIgnoringCase(*folder, windowsPath.substr(start, end - start));
        start = end + 1;
    }
    return folder;
}

}  // namespace mw
