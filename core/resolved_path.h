// Where a path leads once the links on its way are resolved, for checks
// that what an untrusted text names stays inside a folder.
#pragma once

#include <string>

namespace mw {

// The absolute path with every link resolved as far as it exists, and the
// rest as written; "" when that fails (a folder on the way that cannot be
// searched). On Windows, the system's own name of the deepest part that
// opens (ObjectPathOf: for comparing, not opening) with the rest joined,
// so that a link Wine shows as a plain folder is resolved too.
std::string ResolvedPath(const std::string& path);

// Whether a resolved path is a resolved folder or lies below it, by whole
// levels; on Windows in any case and whatever the form of either path
// (WindowsPathInside). False when either is "".
bool ResolvedInside(const std::string& folder, const std::string& path);

}  // namespace mw
