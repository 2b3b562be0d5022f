#include "core/path_text.h"

namespace mw {

std::filesystem::path FileSystemPath(std::string_view text)
{
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

std::string PathText(const std::filesystem::path& path)
{
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

std::string AbsolutePath(const std::string& path)
{
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(FileSystemPath(path), error);
    return error ? path : PathText(absolute.lexically_normal());
}

}  // namespace mw
