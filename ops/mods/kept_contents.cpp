#include "ops/mods/kept_contents.h"

#include <charconv>
#include <cinttypes>
#include <cstdio>
#include <memory>

#include "core/content_hash.h"
#include "core/file.h"

namespace mw {
namespace {

constexpr std::string_view kPartial = ".partial";

std::string ContentName(const ContentId& content)
{
    char name[64];
    std::snprintf(name, sizeof name, "%016" PRIx64 "-%" PRId64, content.hash, content.size);
    return name;
}

// The content a kept file's name gives; nothing for any other name, an
// upper-case or zero-padded spelling of a content's name included: the
// content is read from its own name only.
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
        content.size < 0 || ContentName(content) != name)
        return std::nullopt;
    return content;
}

}  // namespace

KeptContents::KeptContents(PrivateFolder folder) : folder_(std::move(folder))
{
    for (const PrivateFolder::Entry& entry : folder_.Entries()) {
        if (entry.kind != EntryKind::File)
            continue;
        if (const auto content = ContentOfName(entry.name); content && content->size == entry.size)
            kept_.emplace(content->hash, content->size);
        else if (entry.name.ends_with(kPartial) && ContentOfName(entry.name.substr(0, entry.name.size() - kPartial.size())))
            folder_.Remove(entry.name);  // left by a process that ended while it kept it
    }
}

bool KeptContents::Has(const ContentId& content) const
{
    return kept_.contains({content.hash, content.size});
}

bool KeptContents::Keep(const ContentId& content, File& from, std::int64_t offset)
{
    if (HashOfFileBytes(from, offset, content.size) != content.hash)
        return false;
    const std::string name = ContentName(content);
    const std::string partial = name + std::string(kPartial);
    {
        File out = folder_.Create(partial);
        out.CopyFrom(from, offset, 0, content.size);
        out.Sync();
        out.Close();
    }
    folder_.Rename(partial, name);
    kept_.emplace(content.hash, content.size);
    return true;
}

std::optional<Payload> KeptContents::PayloadOf(const ContentId& content) const
{
    if (!Has(content))
        return std::nullopt;
    const std::string name = ContentName(content);
    std::shared_ptr<File> file;
    try {
        file = std::make_shared<File>(folder_.OpenToRead(name));
    } catch (const IoError&) {
        return std::nullopt;
    }
    if (file->Length() != content.size || HashOfFileBytes(*file, 0, content.size) != content.hash)
        return std::nullopt;
    return Payload::Stretch(file, std::make_shared<const std::string>(folder_.PathOf(name)), 0, content.size);
}

std::vector<ContentId> KeptContents::All() const
{
    std::vector<ContentId> all;
    for (const auto& [hash, size] : kept_)
        all.push_back({hash, size});
    return all;
}

std::int64_t KeptContents::Bytes() const
{
    std::int64_t bytes = 0;
    for (const auto& kept : kept_)
        bytes += kept.second;
    return bytes;
}

void KeptContents::Drop(const ContentId& content)
{
    folder_.Remove(ContentName(content));
    kept_.erase({content.hash, content.size});
}

void KeptContents::DropAll()
{
    for (const ContentId& content : All())
        Drop(content);
}

}  // namespace mw
