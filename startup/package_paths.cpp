#include "startup/package_paths.h"

#include <algorithm>
#include <vector>

#include "core/list_files.h"
#include "core/path_helpers.h"
#include "core/folder_lookup.h"
#include "core/resolved_path.h"

namespace mw {
namespace {

bool IsSeparator(char c)
{
    return c == '\\' || c == '/';
}

// The components of a package's path; "\" and "/" both separate them.
std::vector<std::string> Components(const std::string& relative)
{
    std::vector<std::string> components;
    std::string component;
    for (char c : relative) {
        if (!IsSeparator(c)) {
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

// Not absolute, no drive, no "..": the text itself stays below its folder.
bool WrittenBelow(const std::string& relative, const std::vector<std::string>& components)
{
    if (!relative.empty() && IsSeparator(relative.front()))
        return false;
    if (relative.size() > 1 && relative[1] == ':')
        return false;
    return std::ranges::find(components, "..") == components.end();
}

#ifdef _WIN32

std::string FindComponents(const std::string& folder, const std::string& relative, const std::vector<std::string>&)
{
    return folder + kNativeSeparator + relative;
}

#else

std::string FindComponents(const std::string& folder, const std::string&, const std::vector<std::string>& components)
{
    std::string path = folder;
    bool found = true;
    for (std::size_t i = 0; i < components.size(); ++i) {
        std::optional<std::string> match;
        if (found) {
            // A component in the middle is a folder; the last one a file or a folder.
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

#endif

bool ResolvesInside(const std::string& path, const std::string& resolvedFolder)
{
    return ResolvedInside(resolvedFolder, ResolvedPath(path));
}

}  // namespace

std::optional<std::string> ResolvePackagePath(const std::string& folder, const std::string& relative)
{
    const std::vector<std::string> components = Components(relative);
    if (!WrittenBelow(relative, components))
        return std::nullopt;
    std::string path = FindComponents(folder, relative, components);
    if (!ResolvesInside(path, ResolvedPath(folder)))
        return std::nullopt;
    return path;
}

std::optional<std::string> FirstFileOutside(const std::string& source, const std::string& folder)
{
    const std::string resolvedFolder = ResolvedPath(folder);
    for (const std::string& file : ListFiles(source, "*.*", true, false, kAllAttributes))
        if (!ResolvesInside(file, resolvedFolder))
            return file;
    return std::nullopt;
}

}  // namespace mw
