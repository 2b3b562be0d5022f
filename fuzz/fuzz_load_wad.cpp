// LoadWad over arbitrary bytes: every failure is an AppError, and a load that
// succeeds gives an image whose every payload can be read back at its size.
#include <cstdlib>

#include "core/errors.h"
#include "core/wad.h"
#include "fuzz/scratch_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string& name = mw::fuzz::ScratchFile(data, size);
    mw::WadImage image;
    try {
        mw::LoadWad(name, image);
    } catch (const mw::AppError&) {
        return 0;
    }
    const auto count = static_cast<std::size_t>(image.EntryCount);
    if (image.Entries.size() != count || image.Payloads.size() != count)
        std::abort();
    for (std::size_t i = 0; i < count; ++i) {
        const mw::WadEntry& entry = image.Entries[i];
        const bool inside = entry.Offset >= 0 && entry.Size >= 0 &&
                            (entry.Size == 0 || entry.Offset + std::int64_t{entry.Size} <= std::int64_t(size));
        if (!inside)
            std::abort();  // the loader let a payload outside the file through
        if (image.Payloads[i].Load().size() != static_cast<std::size_t>(entry.Size))
            std::abort();
    }
    return 0;
}
