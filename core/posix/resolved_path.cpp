#include "core/resolved_path.h"

#include <algorithm>
#include <filesystem>

#include "core/path_text.h"

namespace mw {

std::string ResolvedPath(const std::string& path)
{
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(FileSystemPath(path), error);
    if (error)
        return {};
    std::filesystem::path resolved = std::filesystem::weakly_canonical(absolute, error);
    if (error)
        return {};
    if (!resolved.has_filename() && resolved.has_relative_path())
        resolved = resolved.parent_path();  // no trailing separator
    return PathText(resolved);
}

bool ResolvedInside(const std::string& folder, const std::string& path)
{
    if (folder.empty() || path.empty())
        return false;
    const std::filesystem::path outer = FileSystemPath(folder);
    const std::filesystem::path inner = FileSystemPath(path);
    return std::mismatch(outer.begin(), outer.end(), inner.begin(), inner.end()).first == outer.end();
}

}  // namespace mw
