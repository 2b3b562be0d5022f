#include "ops/update_matching.h"

#include "core/path_helpers.h"
#include "ops/entry_name_check.h"
#include "ops/operation_support.h"
#include "ops/run_state.h"

namespace mw {
namespace {

std::string NativeFolderMark(const char* folder)
{
    return std::string(1, kNativeSeparator) + folder + kNativeSeparator;
}

}  // namespace

SourceKey ClassifySource(const std::string& path, const std::string& sourceText, bool singleFile)
{
    const std::string lower = LowerAscii(path);
    SourceKey key;
    if (Contains(lower, NativeFolderMark("qualifying")))
        key.kind = kQualifyingFolder;
    if (Contains(lower, NativeFolderMark("race")))
        key.kind = kRaceFolder;

    const std::size_t cars = lower.find(NativeFolderMark("cars"));
    key.underCars = cars != std::string::npos;
    std::string namePart;
    if (!key.underCars)
        namePart = FileNamePart(path);
    else if (singleFile)
        namePart = path.substr(cars + 1);
    else
        namePart = RelativeToSource(path, sourceText);
    key.matchKey = LowerAscii(SourceEntryName(path, namePart));
    return key;
}

std::string AppendedName(const std::string& archiveFileName, const std::string& matchKey)
{
    if (LowerAscii(archiveFileName) == "cars.wad")
        return "cars\\" + matchKey;
    const std::string_view stem = FirstChars(archiveFileName, static_cast<long long>(archiveFileName.size()) - 4);
    for (const char* track : TrackNames)
        if (stem == track)
            return std::string("maps\\") + track + "\\" + matchKey;
    return matchKey;
}

}  // namespace mw
