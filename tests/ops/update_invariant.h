// The update's promise on any layout, checked on real files: after it, every
// entry that was not replaced reads back exactly its old bytes, every
// replaced entry its new bytes and every appended entry its file. Random
// layouts and sources for it. Shared by the patcher's tests and the update's
// fuzzer.
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <numeric>
#include <string>
#include <vector>

#include "core/path_helpers.h"
#include "core/text.h"
#include "core/wad.h"
#include "ops/update_matching.h"

namespace mw::test {

struct LayoutEntry {
    std::string name;
    std::int32_t offset;
    std::int32_t size;
};

// An archive with this directory whose bytes differ from one offset to the
// next, so that an entry that moved without its bytes reads other ones.
std::string ArchiveWithLayout(const std::vector<LayoutEntry>& layout);

struct PatchSource {
    SourceKey key;
    std::string bytes;
};

// Loads the archive at path, patches it with the sources as the update
// does, writes it back and loads it again. Returns the first entry that
// does not read back what it must, described; empty when every entry does
// or when the update refused the sources.
std::string UpdateBreaksAnEntry(const std::string& path, const std::vector<PatchSource>& sources);

class LayoutGenerator {
public:
    // next gives the numbers every choice is made from.
    explicit LayoutGenerator(std::function<std::uint32_t()> next) : next_(std::move(next)) {}

    int Below(int n) { return static_cast<int>(next_() % static_cast<unsigned>(n)); }

    std::string Name()
    {
        static const char* kFolders[] = {"maps\\x\\qualifying\\", "maps\\x\\race\\", "cars\\", "CARS\\Tex\\", "",
                                         "maps\\x\\Race\\qualifying\\", "misc\\"};
        static const char* kFiles[] = {"a.dat", "B.DAT", "setup.cfg", "x.tex", "y.bin"};
        return std::string(kFolders[Below(7)]) + kFiles[Below(5)];
    }

    // No two entries share a byte: payloads laid out in any order with gaps,
    // empty entries where one payload ends and the next begins.
    WadImage Image()
    {
        WadImage image;
        const int count = Below(12);
        std::vector<int> order(static_cast<std::size_t>(count));
        std::iota(order.begin(), order.end(), 0);
        for (int i = count - 1; i > 0; --i)
            std::swap(order[static_cast<std::size_t>(i)], order[static_cast<std::size_t>(Below(i + 1))]);
        image.Entries.resize(order.size());
        std::int64_t offset = DirectoryEnd(count) + Below(3) * Below(30);
        for (int i : order) {
            WadEntry& entry = image.Entries[static_cast<std::size_t>(i)];
            SetEntryName(entry, Name());
            entry.Size = Below(6) == 0 ? 0 : 1 + Below(40);
            entry.Offset = static_cast<std::int32_t>(offset);
            offset += entry.Size + Below(3) * Below(30);
        }
        for (const WadEntry& entry : image.Entries)
            image.Payloads.emplace_back(std::string(static_cast<std::size_t>(entry.Size), 'p'));
        image.EntryCount = count;
        return image;
    }

    // Shared offsets, partial overlaps, payloads inside the directory.
    std::vector<LayoutEntry> OverlappingLayout()
    {
        std::vector<LayoutEntry> layout;
        const int count = 1 + Below(10);
        std::int32_t offset = static_cast<std::int32_t>(DirectoryEnd(count));
        for (int i = 0; i < count; ++i) {
            const std::int32_t size = Below(5) == 0 ? 0 : 1 + Below(60);
            const LayoutEntry* other = i > 0 ? &layout[static_cast<std::size_t>(Below(i))] : nullptr;
            switch (Below(5)) {
            case 0: if (other) offset = other->offset; break;
            case 1: if (other) offset = other->offset + Below(other->size + 1); break;
            case 2: offset = Below(static_cast<int>(DirectoryEnd(count)) + 40); break;
            default: break;
            }
            layout.push_back({Name(), offset, size});
            offset += size;
        }
        return layout;
    }

    SourceKey Key()
    {
        const std::string name = Name();
        SourceKey key;
        key.kind = static_cast<FolderKind>(Below(3));
        key.underCars = Below(3) == 0;
        key.matchKey = LowerAscii(key.underCars ? name : FileNamePart(name, '\\'));
        return key;
    }

    std::size_t Size() { return Below(4) == 0 ? 0 : static_cast<std::size_t>(Below(60)); }

    // One to six source files, each of one repeated letter.
    std::vector<PatchSource> Sources()
    {
        std::vector<PatchSource> sources(static_cast<std::size_t>(1 + Below(6)));
        for (PatchSource& source : sources)
            source = {Key(), std::string(Size(), static_cast<char>('A' + Below(26)))};
        return sources;
    }

private:
    std::function<std::uint32_t()> next_;
};

}  // namespace mw::test
