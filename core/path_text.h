// Paths are UTF-8 text inside the program. std::filesystem takes them as
// such only through its char8_t forms: on Windows it reads a plain string
// in the code page, and a name outside it (a user called José in another
// code page) would be misread. On POSIX both are the same bytes.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace mw {

std::filesystem::path FileSystemPath(std::string_view text);
std::string PathText(const std::filesystem::path& path);
// The path made absolute against the working folder, "." and ".." folded
// away; as given when the system cannot tell.
std::string AbsolutePath(const std::string& path);

}  // namespace mw
