#include "startup/package_paths.h"

#include <algorithm>
#include <vector>

#include "core/list_files.h"
#include "core/folder_lookup.h"
#include "core/resolved_path.h"

namespace mw {
namespace {

bool IsSeparator(char c)
{
    return c == '\\' || c == '/';
}

// Not absolute, no drive, no "..": the text itself stays below its folder.
bool WrittenBelow(const std::string& relative)
{
    if (!relative.empty() && IsSeparator(relative.front()))
        return false;
    if (relative.size() > 1 && relative[1] == ':')
        return false;
    const std::vector<std::string> components = PathComponents(relative);
    return std::ranges::find(components, "..") == components.end();
}

bool ResolvesInside(const std::string& path, const std::string& resolvedFolder)
{
    return ResolvedInside(resolvedFolder, ResolvedPath(path));
}

}  // namespace

std::optional<std::string> ResolvePackagePath(const std::string& folder, const std::string& relative)
{
    if (!WrittenBelow(relative))
        return std::nullopt;
    std::string path = FindBelowIgnoringCase(folder, relative);
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
