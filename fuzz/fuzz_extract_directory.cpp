// The extraction over arbitrary bytes. A name the check lets through must
// stay below the output folder however the file system would resolve it;
// then the whole operation extracts into a real folder in which the input
// has planted symbolic links (to a folder, to a file and to nothing outside
// it), and nothing may appear or change outside that folder. Every failure
// must be an AppError.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "core/errors.h"
#include "core/file.h"
#include "core/path_helpers.h"
#include "core/wad.h"
#include "fuzz/scratch_file.h"
#include "ops/entry_name_check.h"
#include "ops/operations.h"
#include "tests/ops/recording_frontend.h"

namespace {

namespace fs = std::filesystem;

const fs::path kLexicalOutput = "/output/folder";
constexpr const char* kVictimBytes = "victim";

bool StaysBelowOutput(std::string_view name)
{
    const std::string below = (kLexicalOutput / mw::ToNativeSeparators(name)).lexically_normal().string();
    const std::string prefix = kLexicalOutput.string() + "/";
    return below.size() > prefix.size() && below.compare(0, prefix.size(), prefix) == 0;
}

// The real folders of one process: the output folder and, beside it, the
// place that planted links point to.
struct Sandbox {
    fs::path root;
    fs::path output;
    fs::path outside;

    Sandbox()
    {
        const std::string base = fs::exists("/dev/shm") ? "/dev/shm" : fs::temp_directory_path().string();
        std::string pattern = base + "/mendwright-fuzz-extract-XXXXXX";
        if (::mkdtemp(pattern.data()) == nullptr)
            std::abort();
        root = pattern;
        output = root / "out";
        outside = root / "outside";
    }
    ~Sandbox()
    {
        std::error_code ignored;
        fs::remove_all(root, ignored);
    }

    void Reset() const
    {
        fs::remove_all(output);
        fs::remove_all(outside);
        fs::create_directories(output);
        fs::create_directories(outside);
        std::ofstream(outside / "victim") << kVictimBytes;
    }

    // The input's last byte plans the links: bits 0-3 pick which of the
    // first four entries get one, bits 4-5 at which level of the entry's
    // path, bits 6-7 where it points.
    void PlantLinks(const std::vector<mw::WadEntry>& entries, std::uint8_t plan) const
    {
        const fs::path targets[] = {outside, outside / "victim", outside / "missing", "../outside"};
        for (std::size_t i = 0; i < entries.size() && i < 4; ++i) {
            // A refused name is never extracted, and planting along it
            // would put links outside the output folder.
            const std::string_view entryName = mw::EntryName(entries[i]);
            if ((plan & (1u << i)) == 0 || !mw::IsSafeEntryName(entryName))
                continue;
            const fs::path name = mw::ToNativeSeparators(entryName);
            std::vector<fs::path> levels;
            for (const fs::path& level : name)
                if (!level.empty())
                    levels.push_back(level);
            if (levels.empty())
                continue;
            fs::path at = output;
            const std::size_t depth = ((plan >> 4) & 3u) % levels.size();
            bool throughLink = false;
            for (std::size_t l = 0; l < depth; ++l) {
                at /= levels[l];
                throughLink = throughLink || fs::is_symlink(at);
            }
            // A link planted for an earlier entry along this path would
            // take the planting itself outside.
            if (throughLink)
                continue;
            std::error_code ignored;
            fs::create_directories(at, ignored);
            fs::create_symlink(targets[plan >> 6], at / levels[depth], ignored);
        }
    }

    // Only the two folders, and outside only the victim as it was.
    bool OutsideUnchanged() const
    {
        const auto count = [](const fs::path& folder) {
            return std::distance(fs::directory_iterator(folder), fs::directory_iterator());
        };
        std::ifstream victim(outside / "victim");
        const std::string bytes{std::istreambuf_iterator<char>(victim), std::istreambuf_iterator<char>()};
        return count(root) == 2 && count(outside) == 1 &&
               fs::is_regular_file(fs::symlink_status(outside / "victim")) && bytes == kVictimBytes;
    }
};

void Extract(const std::string& archive, const Sandbox& sandbox)
{
    mw::RunState state;
    mw::test::RecordingFrontend frontend;
    frontend.dialogAnswer = sandbox.output.string();
    try {
        mw::ExtractWad(state, frontend, {archive});
    } catch (const mw::AppError&) {
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const Sandbox sandbox;
    const std::string& scratch = mw::fuzz::ScratchFile(data, size);
    std::vector<mw::WadEntry> entries;
    try {
        mw::File archive(scratch, mw::OpenMode::ReadOnly);
        const std::int32_t count = mw::ReadWadDirectory(archive, entries);
        if (entries.size() != static_cast<std::size_t>(count))
            std::abort();
        for (const mw::WadEntry& entry : entries) {
            const std::string_view name = mw::EntryName(entry);
            if (mw::IsSafeEntryName(name) && !StaysBelowOutput(name))
                std::abort();  // a name that would leave the output folder
        }
        std::string payload;
        for (std::int32_t i = 0; i < count; ++i) {
            const mw::WadEntry& entry = entries[static_cast<std::size_t>(i)];
            mw::ReadWadPayload(archive, entry, i, payload);
            if (payload.size() != static_cast<std::size_t>(entry.Size))
                std::abort();
        }
        archive.Close();
    } catch (const mw::AppError&) {
    }

    sandbox.Reset();
    if (size > 0)
        sandbox.PlantLinks(entries, data[size - 1]);
    Extract(scratch, sandbox);
    if (!sandbox.OutsideUnchanged())
        std::abort();  // something was written through a link, or beside the output
    return 0;
}
