#include "core/folder_lookup.h"

#include <filesystem>

#include "core/file.h"
#include "core/path_helpers.h"
#include "core/text.h"

namespace mw {
namespace {

using ExistsTest = bool (*)(const std::string&);

std::optional<std::string> FindIgnoringCase(const std::string& folder, const std::string& name, ExistsTest exists)
{
    if (name.empty())
        return std::nullopt;
    const std::string exact = JoinPath(folder, name);
    if (exists(exact))
        return exact;

    // Several names may differ only in case; the first one the folder lists wins.
    const std::string wanted = LowerAscii(name);
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::string candidate = it->path().filename().string();
        if (LowerAscii(candidate) == wanted) {
            const std::string full = JoinPath(folder, candidate);
            if (exists(full))
                return full;
        }
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::string> FindFileIgnoringCase(const std::string& folder, const std::string& name)
{
    return FindIgnoringCase(folder, name, FileExists);
}

std::optional<std::string> FindFolderIgnoringCase(const std::string& folder, const std::string& name)
{
    return FindIgnoringCase(folder, name, FolderExists);
}

std::vector<std::string> PathComponents(std::string_view relative)
{
    std::vector<std::string> components;
    std::string component;
    for (char c : relative) {
        if (c != '\\' && c != '/') {
            component += c;
        } else if (!component.empty()) {
            components.push_back(std::move(component));
            component.clear();
        }
    }
    if (!component.empty())
        components.push_back(std::move(component));
    return components;
}

std::string JoinPath(const std::string& folder, const std::string& name)
{
    if (!folder.empty() && folder.back() == kNativeSeparator)
        return folder + name;
    return folder + kNativeSeparator + name;
}

}  // namespace mw
