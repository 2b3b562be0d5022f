// Finding a name in a folder the way a Windows program expects to: the exact
// name first, then the same name in any ASCII case, since the game's files
// come from a file system that ignores case.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mw {

// The full path of the file called name in folder, or nothing.
std::optional<std::string> FindFileIgnoringCase(const std::string& folder, const std::string& name);
// The full path of the folder called name in folder, or nothing.
std::optional<std::string> FindFolderIgnoringCase(const std::string& folder, const std::string& name);

// The components of a relative path that may come from Windows: "\" and
// "/" both separate them, and empty ones are dropped.
std::vector<std::string> PathComponents(std::string_view relative);

// folder + separator + relative, each of relative's components found in its
// folder as Windows would find it: a component in the middle is a folder,
// the last one a file or a folder. Components that match nothing, and all
// after them, stay as written. Where the file system itself ignores case
// (Windows) the texts are only joined.
std::string FindBelowIgnoringCase(const std::string& folder, const std::string& relative);

// folder + separator + name, without doubling a separator that folder ends with.
std::string JoinPath(const std::string& folder, const std::string& name);

}  // namespace mw
