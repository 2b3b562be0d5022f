// The extraction's reading side over arbitrary bytes: the directory read,
// the name check and each entry's bytes in table order. A name the check
// lets through must stay below the output folder however the file system
// would resolve it; every failure must be an AppError.
#include <cstdlib>
#include <filesystem>

#include "core/errors.h"
#include "core/file.h"
#include "core/path_helpers.h"
#include "core/wad.h"
#include "fuzz/scratch_file.h"
#include "ops/entry_name_check.h"

namespace {

const std::filesystem::path kOutput = "/output/folder";

bool StaysBelowOutput(std::string_view name)
{
    const std::string below = (kOutput / mw::ToNativeSeparators(name)).lexically_normal().string();
    const std::string prefix = kOutput.string() + "/";
    return below.size() > prefix.size() && below.compare(0, prefix.size(), prefix) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    try {
        mw::File archive(mw::fuzz::ScratchFile(data, size), mw::OpenMode::ReadOnly);
        std::vector<mw::WadEntry> entries;
        const std::int32_t count = mw::ReadWadDirectory(archive, entries);
        if (entries.size() != static_cast<std::size_t>(count))
            std::abort();
        bool safe = true;
        for (const mw::WadEntry& entry : entries) {
            const std::string_view name = mw::EntryName(entry);
            const bool passes = mw::IsSafeEntryName(name);
            if (passes && !StaysBelowOutput(name))
                std::abort();  // a name that would leave the output folder
            safe = safe && passes;
        }
        if (!safe)
            return 0;  // the extraction stops here, having written nothing
        std::string payload;
        for (const mw::WadEntry& entry : entries) {
            mw::ReadWadPayload(archive, entry, payload);
            if (payload.size() != static_cast<std::size_t>(entry.Size))
                std::abort();
        }
        archive.Close();
    } catch (const mw::AppError&) {
    }
    return 0;
}
