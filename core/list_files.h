// The recursive folder lister: every file below a folder, as full paths, in
// the order the file system returns them, depth first.
#pragma once

#include <string>
#include <vector>

#include "core/path_helpers.h"

namespace mw {

using FileList = std::vector<std::string>;

// Attribute mask that takes every entry whatever its attributes.
inline constexpr int kAllAttributes = 63;

// The folder gets a trailing separator when it has none; the mask takes the
// wildcards * and ? and matches names ignoring ASCII case ("*.*" matches
// every name, with or without a dot). The attributes are handed on to the recursion
// unchanged; the search itself always takes every entry. A folder that does
// not exist or cannot be read gives an empty list. Links to folders are
// followed, and each real folder is listed once however many links lead to
// it; entries that
// are neither files nor folders (pipes, sockets, devices) are left out.
FileList ListFiles(std::string folder, const std::string& mask, bool recurse, bool includeFolders, int attributes,
                   char separator = kNativeSeparator);

// Whether a name matches a search mask as the lister applies it.
bool MatchesMask(std::string_view name, std::string_view mask);

}  // namespace mw
