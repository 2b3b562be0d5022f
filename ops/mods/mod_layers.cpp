#include "ops/mods/mod_layers.h"

#include <memory>

#include "ops/archive_patcher.h"

namespace mw {
namespace {

// The patcher moves payloads by their sizes only: a stand-in of the right
// size is all a layering needs.
Payload StandIn(std::int64_t size)
{
    static const auto noFile = std::make_shared<const std::string>();
    return Payload::Stretch(noFile, 0, size);
}

}  // namespace

LayeredArchive LayerMods(const FoundArchive& found, std::span<const ModLayer> layers,
                         const std::string& archivePath, std::vector<FileOutcome>* outcomes)
{
    WadImage image;
    image.EntryCount = static_cast<std::int32_t>(found.directory.size());
    image.Entries = found.directory;
    image.Payloads.reserve(found.directory.size());
    LayeredArchive layered;
    layered.entries.reserve(found.directory.size());
    for (std::size_t i = 0; i < found.directory.size(); ++i) {
        image.Payloads.push_back(StandIn(found.directory[i].Size));
        layered.entries.push_back({found.contents[i], found.writers[i], kFoundLayer, static_cast<std::uint32_t>(i)});
    }

    ArchivePatcher patcher(image, archivePath);
    for (const ModLayer& layer : layers) {
        for (std::uint32_t f = 0; f < layer.files.size(); ++f) {
            const ModFile& file = layer.files[f];
            const LayeredEntry written{file.content, layer.mod, layer.mod, f};
            const int match = patcher.FindMatch(file.key);
            FileOutcome outcome{layer.mod, f, match, match < 0, {}};
            if (match >= 0) {
                LayeredEntry& entry = layered.entries[static_cast<std::size_t>(match)];
                outcome.before = entry;
                patcher.Replace(match, StandIn(file.content.size), archivePath);
                entry.content = file.content;
                entry.writtenBy = layer.mod;
            } else {
                outcome.entry = image.EntryCount;
                patcher.Append(AppendedName(std::string(layer.archiveName), file.key), StandIn(file.content.size),
                               archivePath);
                layered.entries.push_back(written);
            }
            if (outcomes)
                outcomes->push_back(outcome);
        }
    }
    patcher.Finish();
    layered.directory = std::move(image.Entries);
    return layered;
}

}  // namespace mw
