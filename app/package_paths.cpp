#include "app/package_paths.h"

#include "core/path_helpers.h"
#include "settings/folder_lookup.h"

namespace mw {

#ifdef _WIN32

std::string ResolvePackagePath(const std::string& folder, const std::string& relative)
{
    return folder + kNativeSeparator + relative;
}

#else

std::string ResolvePackagePath(const std::string& folder, const std::string& relative)
{
    std::string path = folder;
    bool found = true;
    std::size_t start = 0;
    while (start <= relative.size()) {
        std::size_t end = relative.find_first_of("\\/", start);
        if (end == std::string::npos)
            end = relative.size();
        const std::string component = relative.substr(start, end - start);
        start = end + 1;
        if (component.empty())
            continue;
        std::optional<std::string> match;
        if (found) {
            // A component in the middle is a folder; the last one a file or a folder.
            if (start > relative.size())
                match = FindFileIgnoringCase(path, component);
            if (!match)
                match = FindFolderIgnoringCase(path, component);
        }
        found = match.has_value();
        path = found ? *match : JoinPath(path, component);
    }
    return path;
}

#endif

}  // namespace mw
