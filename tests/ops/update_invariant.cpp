#include "tests/ops/update_invariant.h"

#include <algorithm>
#include <cstring>

#include "core/path_helpers.h"
#include "core/wad.h"
#include "ops/archive_patcher.h"
#include "ops/messages.h"

namespace mw::test {

std::string ArchiveWithLayout(const std::vector<LayoutEntry>& layout)
{
    const auto count = static_cast<std::int32_t>(layout.size());
    std::int64_t length = DirectoryEnd(count);
    for (const LayoutEntry& entry : layout)
        length = std::max<std::int64_t>(length, std::int64_t{entry.offset} + entry.size);
    std::string bytes(static_cast<std::size_t>(length), '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>((i * 2654435761u) >> 13);
    std::memcpy(bytes.data(), &count, sizeof count);
    for (std::size_t j = 0; j < layout.size(); ++j) {
        WadEntry record {};
        SetEntryName(record, layout[j].name);
        record.Offset = layout[j].offset;
        record.Size = layout[j].size;
        std::memcpy(bytes.data() + DirectoryEnd(static_cast<std::int64_t>(j)), &record, sizeof record);
    }
    return bytes;
}

std::string UpdateBreaksAnEntry(const std::string& path, const std::vector<PatchSource>& sources)
{
    WadImage image;
    LoadWad(path, image);
    std::vector<std::string> expected;
    for (const Payload& payload : image.Payloads)
        expected.push_back(payload.Load());
    try {
        ArchivePatcher patcher(image, path);
        for (const PatchSource& source : sources) {
            const int match = patcher.FindMatch(source.key);
            if (match >= 0) {
                patcher.Replace(match, source.bytes, "src");
                expected[static_cast<std::size_t>(match)] = source.bytes;
            } else {
                patcher.Append(AppendedName(FileNamePart(path), source.key), source.bytes, "src");
                expected.push_back(source.bytes);
            }
        }
        patcher.Finish();
    } catch (const UserRefusal&) {
        return {};
    }
    RebuildWad(path, image, image.EntryCount);

    WadImage written;
    LoadWad(path, written);
    if (written.Payloads.size() != expected.size())
        return "the archive holds " + std::to_string(written.Payloads.size()) + " entries, not " +
               std::to_string(expected.size());
    for (std::size_t j = 0; j < expected.size(); ++j)
        if (written.Payloads[j].Load() != expected[j])
            return "entry " + std::to_string(j) + " at " + std::to_string(written.Entries[j].Offset) +
                   " reads other bytes";
    return {};
}

}  // namespace mw::test
