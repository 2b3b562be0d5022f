#include "ops/verify_wad.h"

#include <algorithm>
#include <optional>

#include "core/errors.h"
#include "core/file.h"
#include "core/wad.h"
#include "core/path_helpers.h"
#include "ops/entry_name_check.h"
#include "ops/operation_support.h"

namespace mw {
namespace {

constexpr std::int64_t kReadStep = std::int64_t{1} << 20;

std::optional<EntryFault> FaultOf(const WadEntry& entry, std::int64_t length, std::int64_t directoryEnd)
{
    try {
        CheckWadPayload(entry, length);
    } catch (const IoError&) {
        return EntryFault::OutsideFile;
    }
    if (entry.Size > 0 && entry.Offset < directoryEnd)
        return EntryFault::OverlapsDirectory;
    if (!IsSafeEntryName(EntryName(entry)))
        return EntryFault::UnsafeName;
    return std::nullopt;
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
    frontend.SetStatusText("Verifying " + FileNamePart(archivePath) + " : 0%");
    File archive(archivePath, OpenMode::ReadOnly);
    std::vector<WadEntry> entries;
    VerifyResult result;
    result.entries = ReadWadDirectory(archive, entries);
    const std::int64_t length = archive.Length();
    const std::int64_t directoryEnd = DirectoryEnd(result.entries);
    std::vector<std::optional<EntryFault>> faults(entries.size());
    std::int64_t total = 0;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        faults[i] = FaultOf(entries[i], length, directoryEnd);
        if (faults[i])
            result.faulty.push_back({static_cast<std::int32_t>(i), std::string(EntryName(entries[i])), *faults[i]});
        if (faults[i] != EntryFault::OutsideFile)
            total += entries[i].Size;
    }
    OperationBytes read(frontend, total);
    std::string buffer(static_cast<std::size_t>(kReadStep), '\0');
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (faults[i] != EntryFault::OutsideFile)
            ReadPayload(archive, entries[i], buffer, read);
    archive.Close();
    return result;
}

std::string EntryFaultText(EntryFault fault)
{
    switch (fault) {
    case EntryFault::OutsideFile: return "bytes lie outside the file";
    case EntryFault::OverlapsDirectory: return "bytes overlap the directory";
    case EntryFault::UnsafeName: return "name that extraction refuses";
    }
    return {};
}

}  // namespace mw
