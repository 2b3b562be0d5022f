#include "ops/mods/kept_contents.h"

#include <charconv>
#include <cinttypes>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "core/content_hash.h"
#include "core/durable_rename.h"
#include "core/file.h"
#include "core/path_helpers.h"
#include "core/path_text.h"

namespace mw {
namespace {

constexpr std::string_view kPartial = ".partial";

std::string ContentName(const ContentId& content)
{
    char name[64];
    std::snprintf(name, sizeof name, "%016" PRIx64 "-%" PRId64, content.hash, content.size);
    return name;
}

// The content a kept file's name gives; nothing for any other name.
std::optional<ContentId> ContentOfName(std::string_view name)
{
    const std::size_t dash = name.find('-');
    if (dash != 16 || name.size() <= dash + 1)
        return std::nullopt;
    ContentId content;
    const char* end = name.data() + name.size();
    const auto hash = std::from_chars(name.data(), name.data() + dash, content.hash, 16);
    const auto size = std::from_chars(name.data() + dash + 1, end, content.size);
    if (hash.ec != std::errc() || hash.ptr != name.data() + dash || size.ec != std::errc() || size.ptr != end ||
        content.size < 0)
        return std::nullopt;
    return content;
}

}  // namespace

std::string KeptContents::PathOf(const ContentId& content) const
{
    return folder_ + kNativeSeparator + ContentName(content);
}

bool KeptContents::Has(const ContentId& content) const
{
    return RegularFileExists(PathOf(content));
}

bool KeptContents::Keep(const ContentId& content, File& from, std::int64_t offset) const
{
    if (HashOfFileBytes(from, offset, content.size) != content.hash)
        return false;
    std::string unmade;  // the open that follows names what could not be made
    CreateFolders(folder_, unmade);
    const std::string path = PathOf(content);
    const std::string partial = path + std::string(kPartial);
    File out(partial, OpenMode::Writing);
    out.CopyFrom(from, offset, 0, content.size);
    out.Sync();
    out.Close();
    RenameDurably(partial, path);
    return true;
}

std::optional<Payload> KeptContents::PayloadOf(const ContentId& content) const
{
    const std::string path = PathOf(content);
    if (!RegularFileExists(path))
        return std::nullopt;
    auto file = std::make_shared<File>(path, OpenMode::ReadOnly);
    if (file->Length() != content.size || HashOfFileBytes(*file, 0, content.size) != content.hash)
        return std::nullopt;
    return Payload::Stretch(file, std::make_shared<const std::string>(path), 0, content.size);
}

std::vector<ContentId> KeptContents::All() const
{
    std::vector<ContentId> kept;
    std::error_code error;
    for (std::filesystem::directory_iterator it(FileSystemPath(folder_), error), end; !error && it != end;
         it.increment(error)) {
        if (const auto content = ContentOfName(PathText(it->path().filename())))
            kept.push_back(*content);
    }
    return kept;
}

void KeptContents::Drop(const ContentId& content) const
{
    std::error_code ignored;
    std::filesystem::remove(FileSystemPath(PathOf(content)), ignored);
}

void KeptContents::DropAll() const
{
    std::error_code ignored;
    std::filesystem::remove_all(FileSystemPath(folder_), ignored);
}

}  // namespace mw
