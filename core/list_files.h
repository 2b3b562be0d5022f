// The recursive folder lister: every file below a folder, as full paths, in
// the order the file system returns them, depth first.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/errors.h"
#include "core/path_helpers.h"

namespace mw {

using FileList = std::vector<std::string>;

// Attribute mask that takes every entry whatever its attributes.
inline constexpr int kAllAttributes = 63;

// The folder gets a trailing separator when it has none; the mask takes the
// wildcards * and ? and matches names ignoring ASCII case ("*.*" matches
// every name, with or without a dot). The attributes are handed on to the recursion
// unchanged; the search itself always takes every entry. A folder that does
// not exist gives an empty list; one that is there but cannot be read, the
// folder itself or one below it, raises the IoError naming it, so that no
// file is left out unsaid. Links to folders are
// followed, and each real folder is listed once however many links lead to
// it; entries that
// are neither files nor folders (pipes, sockets, devices) are left out.
FileList ListFiles(std::string folder, const std::string& mask, bool recurse, bool includeFolders, int attributes,
                   char separator = kNativeSeparator);

// Hears of a folder, or a link, that a listing could not read, from the
// error that names it.
using UnreadableFolder = std::function<void(const IoError& error)>;

// Every file below folder that lies inside it, as ListFiles lists them
// with the mask "*.*": a link is followed only where it leads inside the
// folder (each real folder still listed once). What cannot be read is
// handed to unreadable and the listing goes on with the rest.
FileList ListFilesWithin(const std::string& folder, const UnreadableFolder& unreadable);

// Whether a name matches a search mask as the lister applies it.
bool MatchesMask(std::string_view name, std::string_view mask);

}  // namespace mw
