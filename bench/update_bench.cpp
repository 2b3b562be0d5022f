// The update's matching and offset work in process: a table of 100,000
// entries patched with 10,000 source files, a mix of replaced and appended
// under plain, "cars", "qualifying" and "race" paths. No file is read or
// written; payloads are held bytes.
#include <benchmark/benchmark.h>

#include <random>

#include "core/path_helpers.h"
#include "core/wad.h"
#include "ops/archive_patcher.h"
#include "ops/update_matching.h"

namespace {

const char* const kFolders[] = {"maps\\monza2001\\qualifying\\", "maps\\monza2001\\race\\", "cars\\team\\",
                                "maps\\monza2001\\textures\\"};

mw::WadImage LargeImage(int count)
{
    mw::WadImage image;
    image.EntryCount = count;
    std::int64_t offset = mw::DirectoryEnd(count);
    for (int i = 0; i < count; ++i) {
        mw::WadEntry entry {};
        mw::SetEntryName(entry, std::string(kFolders[i % 4]) + "file" + std::to_string(i) + ".dat");
        entry.Offset = static_cast<std::int32_t>(offset);
        entry.Size = 100 + i % 50;
        offset += entry.Size;
        image.Entries.push_back(entry);
        image.Payloads.emplace_back(mw::Payload::Stretch(nullptr, 0, entry.Size));
    }
    return image;
}

// Half the files name existing entries (replaced), half are new (appended).
std::vector<mw::SourceKey> SourceKeys(int files, int entries)
{
    std::mt19937 random(7);
    std::vector<mw::SourceKey> keys;
    for (int i = 0; i < files; ++i) {
        const int kind = i % 4;
        const int target = i % 2 == 0 ? static_cast<int>(random() % static_cast<unsigned>(entries)) / 4 * 4 + kind
                                      : entries + i;
        mw::SourceKey key;
        key.kind = kind == 0 ? mw::kQualifyingFolder : kind == 1 ? mw::kRaceFolder : mw::kPlainFolder;
        key.underCars = kind == 2;
        const std::string file = "file" + std::to_string(target) + ".dat";
        key.matchKey = key.underCars ? "cars\\team\\" + file : file;
        keys.push_back(key);
    }
    return keys;
}

void BM_PatchArchive(benchmark::State& state)
{
    const int entries = static_cast<int>(state.range(0));
    const int files = static_cast<int>(state.range(1));
    const mw::WadImage original = LargeImage(entries);
    const std::vector<mw::SourceKey> keys = SourceKeys(files, entries);
    for (auto _ : state) {
        state.PauseTiming();
        mw::WadImage image = original;
        state.ResumeTiming();
        mw::ArchivePatcher patcher(image);
        for (const mw::SourceKey& key : keys) {
            const mw::Payload bytes(std::string(64, 'n'));
            const int match = patcher.FindMatch(key);
            if (match >= 0)
                patcher.Replace(match, bytes, "src");
            else
                patcher.Append(mw::AppendedName("monza2001.wad", key), bytes, "src");
        }
        patcher.Finish();
        benchmark::DoNotOptimize(image.Entries.data());
    }
}
BENCHMARK(BM_PatchArchive)->Args({100000, 10000})->Unit(benchmark::kMillisecond);

}  // namespace
