// Names below a folder on POSIX, whose file systems tell case apart.
#include "core/folder_lookup.h"

namespace mw {

std::string FindBelowIgnoringCase(const std::string& folder, const std::string& relative)
{
    const std::vector<std::string> components = PathComponents(relative);
    std::string path = folder;
    bool found = true;
    for (std::size_t i = 0; i < components.size(); ++i) {
        std::optional<std::string> match;
        if (found) {
            if (i + 1 == components.size())
                match = FindFileIgnoringCase(path, components[i]);
            if (!match)
                match = FindFolderIgnoringCase(path, components[i]);
        }
        found = match.has_value();
        path = found ? *match : JoinPath(path, components[i]);
    }
    return path;
}

}  // namespace mw
