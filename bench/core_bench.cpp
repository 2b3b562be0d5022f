// Loading and rewriting a track-sized archive (1,200 entries, about 12 MB)
// in a temporary folder.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <random>

#include "core/wad.h"

namespace {

mw::WadImage TrackSizedImage()
{
    std::mt19937 random(4);
    std::uniform_int_distribution<int> size(200, 20000);
    mw::WadImage image;
    image.EntryCount = 1200;
    std::int32_t offset = static_cast<std::int32_t>(mw::DirectoryEnd(image.EntryCount));
    for (int i = 0; i < image.EntryCount; ++i) {
        mw::WadEntry entry {};
        mw::SetEntryName(entry, "maps\\track\\file" + std::to_string(i) + ".tex");
        entry.Offset = offset;
        entry.Size = size(random);
        offset += entry.Size;
        image.Entries.push_back(entry);
        image.Payloads.emplace_back(std::string(static_cast<std::size_t>(entry.Size), static_cast<char>(i)));
    }
    return image;
}

std::string ScratchFile()
{
    const char* shm = "/dev/shm";
    const std::filesystem::path base = std::filesystem::exists(shm) ? shm : std::filesystem::temp_directory_path();
    return (base / ("mendwright-bench-" + std::to_string(::getpid()) + ".wad")).string();
}

void BM_RebuildWad(benchmark::State& state)
{
    const mw::WadImage image = TrackSizedImage();
    const std::string name = ScratchFile();
    for (auto _ : state)
        mw::RebuildWad(name, image, image.EntryCount);
    std::filesystem::remove(name);
}
BENCHMARK(BM_RebuildWad)->Unit(benchmark::kMillisecond);

void BM_LoadWad(benchmark::State& state)
{
    const std::string name = ScratchFile();
    mw::RebuildWad(name, TrackSizedImage(), 1200);
    mw::WadImage image;
    for (auto _ : state)
        mw::LoadWad(name, image);
    std::filesystem::remove(name);
}
BENCHMARK(BM_LoadWad)->Unit(benchmark::kMillisecond);

}  // namespace

