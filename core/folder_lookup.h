// Finding a name in a folder the way a Windows program expects to: the exact
// name first, then the same name in any ASCII case, since the game's files
// come from a file system that ignores case.
#pragma once

#include <optional>
#include <string>

namespace mw {

// The full path of the file called name in folder, or nothing.
std::optional<std::string> FindFileIgnoringCase(const std::string& folder, const std::string& name);
// The full path of the folder called name in folder, or nothing.
std::optional<std::string> FindFolderIgnoringCase(const std::string& folder, const std::string& name);

// folder + separator + name, without doubling a separator that folder ends with.
std::string JoinPath(const std::string& folder, const std::string& name);

}  // namespace mw
