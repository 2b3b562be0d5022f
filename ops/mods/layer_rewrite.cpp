#include "ops/mods/layer_rewrite.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <set>
#include <unordered_map>

#include "core/content_hash.h"
#include "core/errors.h"
#include "core/file.h"
#include "core/text.h"
#include "ops/messages.h"

namespace mw {
namespace {

using EntryKey = std::pair<std::uint64_t, std::uint32_t>;

EntryKey KeyOf(const LayeredEntry& entry)
{
    return {entry.addedBy, entry.addedAt};
}

bool SameName(const WadEntry& a, const WadEntry& b)
{
    return std::memcmp(a.Name, b.Name, kNameFieldSize) == 0;
}

}  // namespace

std::vector<std::int64_t> AlignToLive(const std::vector<WadEntry>& expected, const std::vector<WadEntry>& live,
                                      bool& sameOrder)
{
    const std::size_t count = expected.size();
    sameOrder = live.size() == count;
    for (std::size_t i = 0; sameOrder && i < count; ++i)
        sameOrder = SameName(expected[i], live[i]);
    std::vector<std::int64_t> at(count, -1);
    if (sameOrder) {
        for (std::size_t i = 0; i < count; ++i)
            at[i] = static_cast<std::int64_t>(i);
        return at;
    }
    std::map<std::string_view, std::size_t> byName;
    for (std::size_t k = 0; k < live.size(); ++k)
        byName.try_emplace(EntryName(live[k]), k);
    for (std::size_t i = 0; i < count; ++i) {
        const auto found = byName.find(EntryName(expected[i]));
        if (found != byName.end()) {
            at[i] = static_cast<std::int64_t>(found->second);
            byName.erase(found);
        }
    }
    return at;
}

bool LiveArchive::Holds(std::size_t index, const ContentId& content)
{
    if (hashes_.empty()) {
        hashes_.resize(image_.Entries.size());
        hashed_.resize(image_.Entries.size());
    }
    const WadEntry& entry = image_.Entries[index];
    if (entry.Size != content.size)
        return false;
    if (!hashed_[index]) {
        hashes_[index] = HashOfFileBytes(*file_, entry.Offset, entry.Size);
        hashed_[index] = true;
    }
    return hashes_[index] == content.hash;
}

std::vector<ContentId> NeededContents(const ModLedger& ledger, std::uint32_t archive)
{
    std::vector<ContentId> needed = ledger.archives[archive].found.contents;
    for (const InstalledMod& mod : ledger.mods)
        if (const ModArchiveFiles* files = mod.FilesFor(archive); files != nullptr && !mod.permanent)
            for (const ModFile& file : files->files)
                needed.push_back(file.content);
    std::sort(needed.begin(), needed.end(), [](const ContentId& a, const ContentId& b) {
        return std::tie(a.hash, a.size) < std::tie(b.hash, b.size);
    });
    needed.erase(std::unique(needed.begin(), needed.end()), needed.end());
    return needed;
}

LayerRewrite PlanLayerRewrite(const ModLedger& before, const ModLedger& after, std::uint32_t archive,
                              LiveArchive& live, const KeptContents& kept, bool force)
{
    const LedgerArchive& place = before.archives[archive];
    const std::string& path = place.path;
    const LayeredArchive was = LayerMods(place.found, before.LayersOf(archive), path);
    const LayeredArchive will = LayerMods(after.archives[archive].found, after.LayersOf(archive), path);
    const WadImage& image = live.image();

    bool sameOrder = false;
    const std::vector<std::int64_t> liveAt = AlignToLive(was.directory, image.Entries, sameOrder);
    std::map<EntryKey, std::size_t> wasIndex;
    for (std::size_t i = 0; i < was.entries.size(); ++i)
        wasIndex.emplace(KeyOf(was.entries[i]), i);

    // An entry the ledger expects is as it should be when the archive holds
    // its bytes, or the bytes it was found with.
    std::vector<std::int8_t> asExpected(was.entries.size(), -1);
    const auto explained = [&](std::size_t i) {
        if (asExpected[i] < 0) {
            const LayeredEntry& entry = was.entries[i];
            const auto k = static_cast<std::size_t>(liveAt[i]);
            bool sound = live.Holds(k, entry.content);
            if (!sound && entry.addedBy == kFoundLayer)
                sound = live.Holds(k, place.found.contents[entry.addedAt]);
            asExpected[i] = sound ? 1 : 0;
        }
        return asExpected[i] == 1;
    };
    LayerRewrite rewrite;
    // Where the bytes of a content come from: an entry of the archive that
    // holds them, else the kept contents.
    const auto payloadOf = [&](const ContentId& content, const std::string& entry) -> Payload {
        for (std::size_t i = 0; i < was.entries.size(); ++i) {
            if (was.entries[i].content == content && liveAt[i] >= 0 &&
                live.Holds(static_cast<std::size_t>(liveAt[i]), content))
                return image.Payloads[static_cast<std::size_t>(liveAt[i])];
        }
        if (std::optional<Payload> payload = kept.PayloadOf(content)) {
            rewrite.fromKept.push_back(content);
            return *std::move(payload);
        }
        throw AppError(kBytesNoLongerKeptPrefix + PrintableText(entry), path);
    };

    WadImage& out = rewrite.image;
    out.Entries = will.directory;
    out.Payloads.resize(will.entries.size());
    std::vector<bool> wasUsed(was.entries.size(), false);
    std::vector<bool> removedOutside(will.entries.size(), false);
    std::set<std::size_t> liveUsed;
    for (std::size_t j = 0; j < will.entries.size(); ++j) {
        const LayeredEntry& entry = will.entries[j];
        const std::string name(EntryName(will.directory[j]));
        const auto counterpart = wasIndex.find(KeyOf(entry));
        if (counterpart == wasIndex.end()) {
            out.Payloads[j] = payloadOf(entry.content, name);
            rewrite.changes.push_back({EntryChange::Kind::Added, name, kFoundLayer, entry.writtenBy});
            continue;
        }
        const std::size_t i = counterpart->second;
        wasUsed[i] = true;
        const LayeredEntry& old = was.entries[i];
        if (liveAt[i] < 0) {
            // Removed by another program: it stays removed.
            rewrite.changedOutside.push_back(name);
            removedOutside[j] = true;
            continue;
        }
        const auto k = static_cast<std::size_t>(liveAt[i]);
        liveUsed.insert(k);
        if (old.content == entry.content) {
            // Untouched: whatever the archive holds stays, bytes changed
            // elsewhere included.
            out.Payloads[j] = image.Payloads[k];
            rewrite.laidOut = rewrite.laidOut && image.Entries[k].Size == entry.content.size;
            continue;
        }
        if (!explained(i)) {
            rewrite.changedOutside.push_back(name);
            out.Payloads[j] = image.Payloads[k];
            rewrite.laidOut = false;
            continue;
        }
        out.Payloads[j] = payloadOf(entry.content, name);
        rewrite.changes.push_back({EntryChange::Kind::Changed, name, old.writtenBy, entry.writtenBy});
    }
    // Entries that leave the archive, and those another program added.
    std::vector<std::size_t> keptLive;
    for (std::size_t i = 0; i < was.entries.size(); ++i) {
        if (wasUsed[i] || liveAt[i] < 0)
            continue;
        const auto k = static_cast<std::size_t>(liveAt[i]);
        liveUsed.insert(k);
        if (explained(i))
            rewrite.changes.push_back({EntryChange::Kind::Removed, std::string(EntryName(was.directory[i])),
                                       was.entries[i].writtenBy, kFoundLayer});
        else {
            rewrite.changedOutside.emplace_back(EntryName(was.directory[i]));
            keptLive.push_back(k);
        }
    }
    for (std::size_t k = 0; k < image.Entries.size(); ++k)
        if (!liveUsed.contains(k))
            keptLive.push_back(k);
    for (const std::size_t k : keptLive) {
        out.Entries.push_back(image.Entries[k]);
        out.Payloads.push_back(image.Payloads[k]);
        rewrite.laidOut = false;
    }
    // Entries removed by another program stay removed.
    for (std::size_t j = will.entries.size(); j-- > 0;) {
        if (removedOutside[j]) {
            out.Entries.erase(out.Entries.begin() + static_cast<std::ptrdiff_t>(j));
            out.Payloads.erase(out.Payloads.begin() + static_cast<std::ptrdiff_t>(j));
        }
    }
    out.EntryCount = static_cast<std::int32_t>(out.Entries.size());
    rewrite.laidOut = rewrite.laidOut && sameOrder && rewrite.changedOutside.empty();
    if (!rewrite.changedOutside.empty() && !force) {
        rewrite.image = {};
        return rewrite;
    }

    // What the ledger needs and the new archive will not hold is kept first.
    std::set<std::pair<std::uint64_t, std::int64_t>> staying;
    for (const LayeredEntry& entry : will.entries)
        staying.emplace(entry.content.hash, entry.content.size);
    for (const ContentId& content : NeededContents(after, archive)) {
        if (staying.contains({content.hash, content.size}) || kept.Has(content))
            continue;
        for (std::size_t i = 0; i < was.entries.size(); ++i) {
            if (liveAt[i] >= 0 && was.entries[i].content == content &&
                live.Holds(static_cast<std::size_t>(liveAt[i]), content)) {
                rewrite.toKeep.emplace_back(content, static_cast<std::size_t>(liveAt[i]));
                break;
            }
        }
    }
    return rewrite;
}

}  // namespace mw
