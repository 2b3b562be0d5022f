// Update packages are written for Windows, where "\" separates folders and
// names are found in any case. The archive below the GP4 folder (argument 2)
// and the source folder below "UpdateFolder" (argument 3) are found the same
// way on Linux: "\" separates components, and a component with no exact
// match takes the name in its folder that matches it in any ASCII case.
// Exact matches win; the mode and step words are not paths and stay exact.
//
// A package is untrusted input: what it names must stay inside those
// folders. Links below them are followed, as installations use them, but
// what they lead to must lie inside the folder too.
#pragma once

#include <optional>
#include <string>

namespace mw {

// folder + separator + relative, each component of relative found in its
// folder as Windows would find it. Components that match nothing, and all
// after them, stay as written, so that a refusal names the path the package
// gave. On Windows the texts are only joined. Nothing when relative leaves
// folder: written absolute ("\x", "/x", "\\server\x"), with a drive ("C:\x",
// "C:x") or a ".." component, or leading outside folder once the links of
// both are resolved.
std::optional<std::string> ResolvePackagePath(const std::string& folder, const std::string& relative);

// The first file below source (a folder; a file has none) that its links
// lead outside folder, or nothing.
std::optional<std::string> FirstFileOutside(const std::string& source, const std::string& folder);

}  // namespace mw
