// Writes the benchmark's data set from a fixed seed: a "cars" tree shaped
// like an installation, 20,000 files in 100 folders (sizes log-uniform from
// 100 bytes to 150 KB, about 400 MB in all) and its copy with one byte per
// file, the seventeen track archives of an installation (about 1,200
// entries each), and the patch sets the update runs apply.
//
// usage: bench_dataset FOLDER
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "ops/track_names.h"
#include "core/wad.h"
#include "ops/run_state.h"

namespace fs = std::filesystem;

namespace {

// Raw 64-bit draws only: std::mt19937_64 is the same everywhere, the
// standard distributions are not.
class Random {
public:
    explicit Random(std::uint64_t seed) : engine_(seed) {}
    double Unit() { return static_cast<double>(engine_() >> 11) * 0x1.0p-53; }
    std::uint64_t Below(std::uint64_t n) { return engine_() % n; }
    std::size_t LogUniform(double low, double high)
    {
        return static_cast<std::size_t>(std::exp(std::log(low) + Unit() * (std::log(high) - std::log(low))));
    }
    std::string Bytes(std::size_t size)
    {
        std::string bytes(size, '\0');
        std::uint64_t word = 0;
        for (std::size_t i = 0; i < size; ++i) {
            if (i % 8 == 0)
                word = engine_();
            bytes[i] = static_cast<char>(word >> (8 * (i % 8)));
        }
        return bytes;
    }

private:
    std::mt19937_64 engine_;
};

void WriteFile(const fs::path& path, const std::string& bytes)
{
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

constexpr int kCarFiles = 20'000;
constexpr double kSmallest = 100;
constexpr double kLargest = 150'000;

// cars/team<t>/set<s>/file: 100 folders of 200 files each.
std::string CarFile(int i)
{
    const int folder = i % 100;
    return "cars/team" + std::to_string(folder / 10) + "/set" + std::to_string(folder % 10) + "/file" +
           std::to_string(i) + ".tex";
}

void MakeCars(const fs::path& root, Random& random)
{
    std::uint64_t total = 0;
    for (int i = 0; i < kCarFiles; ++i) {
        const std::size_t size = random.LogUniform(kSmallest, kLargest);
        WriteFile(root / "source" / CarFile(i), random.Bytes(size));
        total += size;
    }
    std::printf("cars tree: %d files, %.1f MB\n", kCarFiles, static_cast<double>(total) / 1e6);
}

// The same tree with one byte per file, where the cost per file stands
// alone: the full tree's cost less this one is the cost of the bytes.
void MakeOneByteCars(const fs::path& root)
{
    for (int i = 0; i < kCarFiles; ++i)
        WriteFile(root / "onebyte" / CarFile(i), "x");
}

std::string TrackEntry(const std::string& track, int i)
{
    static const char* kFolders[] = {"textures", "qualifying", "race", "objects", "sounds"};
    return "maps\\" + track + "\\" + kFolders[i % 5] + "\\item" + std::to_string(i) + ".dat";
}

void MakeTracks(const fs::path& root, Random& random)
{
    std::uint64_t total = 0;
    fs::create_directories(root / "gp4");
    WriteFile(root / "gp4" / "GP4.exe", "MZ");
    for (const char* track : mw::TrackNames) {
        mw::WadImage image;
        image.EntryCount = 1200;
        std::int64_t offset = mw::DirectoryEnd(image.EntryCount);
        for (int i = 0; i < image.EntryCount; ++i) {
            mw::WadEntry entry {};
            mw::SetEntryName(entry, TrackEntry(track, i));
            entry.Offset = static_cast<std::int32_t>(offset);
            image.Payloads.push_back(random.Bytes(random.LogUniform(200, 60'000)));
            entry.Size = static_cast<std::int32_t>(image.Payloads.back().size());
            offset += entry.Size;
            image.Entries.push_back(entry);
        }
        total += static_cast<std::uint64_t>(offset);
        mw::RebuildWad((root / "gp4" / (std::string(track) + ".wad")).string(), image, image.EntryCount);
    }
    std::printf("track archives: 17 x 1200 entries, %.1f MB\n", static_cast<double>(total) / 1e6);
}

// patch/: 20 files that replace entries of cars.wad and 5 new ones;
// trackpatch/: 10 files for the track batch, half of them new.
void MakePatches(const fs::path& root, Random& random)
{
    for (int i = 0; i < 20; ++i) {
        const int which = static_cast<int>(random.Below(kCarFiles));
        WriteFile(root / "patch" / CarFile(which), random.Bytes(random.LogUniform(kSmallest, kLargest)));
    }
    for (int i = 0; i < 5; ++i)
        WriteFile(root / "patch" / "cars" / "new" / ("added" + std::to_string(i) + ".tex"),
                  random.Bytes(random.LogUniform(kSmallest, kLargest)));
    for (int i = 0; i < 10; ++i) {
        const std::string folder = i % 2 == 0 ? "qualifying" : "race";
        const std::string name = i < 5 ? "item" + std::to_string(i % 2 == 0 ? 1 + 10 * i : 2 + 10 * i) + ".dat"
                                       : "new" + std::to_string(i) + ".dat";
        WriteFile(root / "trackpatch" / folder / name, random.Bytes(random.LogUniform(200, 60'000)));
    }
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: bench_dataset FOLDER\n");
        return 64;
    }
    const fs::path root = argv[1];
    fs::remove_all(root);
    Random random(20261207);
    MakeCars(root, random);
    MakeOneByteCars(root);
    MakeTracks(root, random);
    MakePatches(root, random);
    return 0;
}
