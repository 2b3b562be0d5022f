#include "ops/verify_wad.h"

#include <algorithm>
#include <optional>

#include "core/errors.h"
#include "core/file.h"
#include "core/wad.h"
#include "core/path_helpers.h"
#include "ops/entry_name_check.h"
#include "ops/operation_runtime.h"

namespace mw {
namespace {

constexpr std::int64_t kReadStep = std::int64_t{1} << 20;

std::optional<ArchiveFault> FaultOf(const WadEntry& entry, std::int32_t index, std::int64_t length,
                                    std::int64_t directoryEnd)
{
    if (std::optional<ArchiveFault> outside = PayloadFault(entry, index, length))
        return outside;
    std::optional<ArchiveFault::Kind> kind;
    if (entry.Size > 0 && entry.Offset < directoryEnd)
        kind = ArchiveFault::Kind::EntryOverDirectory;
    else if (!IsSafeEntryName(EntryName(entry)))
        kind = ArchiveFault::Kind::UnsafeName;
    if (!kind)
        return std::nullopt;
    return ArchiveFault{*kind, 0, index, std::string(EntryName(entry))};
}

// Whether an entry with this fault, or none, has bytes to read.
bool Readable(const std::optional<ArchiveFault>& fault)
{
    return !fault || fault->kind == ArchiveFault::Kind::EntryOverDirectory ||
           fault->kind == ArchiveFault::Kind::UnsafeName;
}

void ReadPayload(File& archive, const WadEntry& entry, std::string& buffer, ByteProgress& progress)
{
    archive.Seek(entry.Offset);
    for (std::int64_t left = entry.Size; left > 0;) {
        const std::int64_t step = std::min(left, kReadStep);
        archive.Read(buffer.data(), static_cast<std::size_t>(step));
        left -= step;
        progress.Moved(step);
    }
}

}  // namespace

VerifyResult VerifyWad(const std::string& archivePath, Frontend& frontend)
{
    frontend.ShowProgress({ProgressPhase::Verifying, FileNamePart(archivePath), 0});
    File archive(archivePath, OpenMode::ReadOnly);
    std::vector<WadEntry> entries;
    VerifyResult result;
    result.entries = ReadWadDirectory(archive, entries);
    const std::int64_t length = archive.Length();
    const std::int64_t directoryEnd = DirectoryEnd(result.entries);
    std::vector<bool> readable(entries.size());
    std::int64_t total = 0;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        std::optional<ArchiveFault> fault = FaultOf(entries[i], static_cast<std::int32_t>(i), length, directoryEnd);
        readable[i] = Readable(fault);
        if (readable[i])
            total += entries[i].Size;
        if (fault)
            result.faulty.push_back(std::move(*fault));
    }
    OperationBytes read(frontend, total);
    std::string buffer(static_cast<std::size_t>(kReadStep), '\0');
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (readable[i])
            ReadPayload(archive, entries[i], buffer, read);
    // Nothing to read (every entry faulty, or none): the count still ends.
    if (total == 0)
        frontend.ShowBytes(0, 0);
    archive.Close();
    return result;
}

}  // namespace mw
