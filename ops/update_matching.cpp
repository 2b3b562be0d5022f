#include "ops/update_matching.h"

#include "core/path_helpers.h"
#include "core/text.h"
#include "ops/entry_name_check.h"
#include "ops/track_names.h"

namespace mw {
namespace {

std::string NativeFolderMark(const char* folder)
{
    return std::string(1, kNativeSeparator) + folder + kNativeSeparator;
}

}  // namespace

SourceKey ClassifySource(const std::string& path)
{
    const std::string lower = LowerAscii(path);
    SourceKey key;
    if (Contains(lower, NativeFolderMark("qualifying")))
        key.kind = kQualifyingFolder;
    if (Contains(lower, NativeFolderMark("race")))
        key.kind = kRaceFolder;

    // The separator in front lets a relative path that starts with "cars" count.
    const std::size_t cars = (kNativeSeparator + lower).rfind(NativeFolderMark("cars"));
    key.underCars = cars != std::string::npos;
    const std::string namePart = key.underCars ? path.substr(cars) : FileNamePart(path);
    key.matchKey = LowerAscii(SourceEntryName(path, namePart));
    return key;
}

std::string AppendedName(const std::string& archiveFileName, const SourceKey& key)
{
    if (LowerAscii(archiveFileName) == "cars.wad")
        return key.underCars ? key.matchKey : "cars\\" + key.matchKey;
    const std::string_view stem = FirstChars(archiveFileName, static_cast<long long>(archiveFileName.size()) - 4);
    for (const char* track : TrackNames)
        if (stem == track)
            return std::string("maps\\") + track + "\\" + key.matchKey;
    return key.matchKey;
}

}  // namespace mw
