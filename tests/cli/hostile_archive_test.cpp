// A thousand seeded mutations of real archives (counts, offsets, sizes and
// names changed, bytes flipped, files cut short) through mendwright-cli list
// and extract: no crash or hang, exit code 0, 1 or 2, and nothing written
// outside the output folder.
#include <cstring>
#include <filesystem>
#include <random>

#include <gtest/gtest.h>

#include "core/path_helpers.h"
#include "tests/support/process.h"
#include "tests/support/temp_dir.h"

namespace mw {
namespace {

namespace fs = std::filesystem;

constexpr unsigned kTimeLimitSeconds = 20;

// Names that try to leave the output folder, or to be a file and a folder at once.
const std::vector<std::string> kHostileNames = {
    "..\\x", "a\\..\\..\\x", "..\\..\\..\\..\\..\\..\\..\\..\\x", "\\abs", "\\\\server\\share\\x", "C:\\x",
    "C:x", ".", "..", "", "a\\.\\b", "x/../../y", "sub\\", "a.txt\\b", "sub\\b.bin\\c", std::string(128, 'n'),
    "a\\\\b", "/etc/x",
};

class Mutator {
public:
    explicit Mutator(unsigned seed) : random_(seed) {}

    std::string Mutate(std::string bytes)
    {
        const int changes = Pick(1, 3);
        for (int i = 0; i < changes; ++i)
            MutateOnce(bytes);
        return bytes;
    }

private:
    int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }

    // A value near the edges that counts, offsets and sizes can cross, wrapped to 32 bits.
    std::int32_t Edge(std::int32_t near, std::int32_t fileSize)
    {
        const std::int64_t values[] = {0, -1, 1, std::int64_t{near} + 1, std::int64_t{near} * 2, fileSize,
                                       std::int64_t{fileSize} + 1, INT32_MAX, INT32_MIN, Pick(0, fileSize),
                                       Pick(INT32_MIN, INT32_MAX)};
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(values[Pick(0, std::size(values) - 1)]));
    }

    static std::int32_t Get(const std::string& bytes, std::size_t at)
    {
        std::int32_t value;
        std::memcpy(&value, bytes.data() + at, 4);
        return value;
    }
    static void Set(std::string& bytes, std::size_t at, std::int32_t value) { std::memcpy(bytes.data() + at, &value, 4); }

    void MutateOnce(std::string& bytes)
    {
        if (bytes.size() < 4)
            return;
        const auto size = static_cast<std::int32_t>(bytes.size());
        const std::int32_t records = std::max<std::int32_t>(0, (size - 4) / 136);
        const std::size_t record = records > 0 ? 4 + 136 * static_cast<std::size_t>(Pick(0, records - 1)) : 0;
        switch (records > 0 ? Pick(0, 6) : 0) {
        case 0: Set(bytes, 0, Edge(Get(bytes, 0), size)); break;                              // the count
        case 1: Set(bytes, record + 128, Edge(Get(bytes, record + 128), size)); break;        // an offset
        case 2: Set(bytes, record + 132, Edge(Get(bytes, record + 132), size)); break;        // a size
        case 3: {                                                                              // a whole name
            std::string field = kHostileNames[Pick(0, kHostileNames.size() - 1)];
            field.resize(128, '\0');
            bytes.replace(record, 128, field);
            break;
        }
        case 4: {                                                                              // name bytes
            static constexpr char kPieces[] = {'\\', '/', '.', ':', '\0', '\n', 'a'};
            bytes[record + Pick(0, 127)] = kPieces[Pick(0, sizeof kPieces - 1)];
            break;
        }
        case 5: bytes[Pick(0, size - 1)] ^= static_cast<char>(1 << Pick(0, 7)); break;       // any bit
        default: bytes.resize(Pick(0, size - 1)); break;                                       // cut short
        }
    }

    std::mt19937 random_;
};

// Every path below root that is neither the output folder, something in it,
// nor one of the folders on the way to it.
std::vector<std::string> OutsideOutput(const std::string& root, const std::string& output)
{
    std::vector<std::string> outside;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        const std::string path = entry.path().string();
        const bool onTheWay = output.rfind(path + kNativeSeparator, 0) == 0;
        const bool inOutput = path == output || path.rfind(output + kNativeSeparator, 0) == 0;
        if (!onTheWay && !inOutput)
            outside.push_back(path);
    }
    return outside;
}

TEST(HostileArchiveTest, MutatedArchivesNeverCrashHangOrWriteOutsideTheOutput)
{
    const test::TempDir dir(test::MemoryBackedFolder());  // two thousand runs write and remove files
    dir.Write("mods/a.txt", "abc");
    dir.Write("mods/sub/b.bin", "");
    dir.Write("mods/cars/textures/c.tex", std::string(300, 't'));
    dir.Write("mods/maps/monza2001/race/setup.dat", "setup");
    ASSERT_EQ(test::RunProcess(MENDWRIGHT_CLI, {"-q", "create", dir / "mods", dir / "created.wad"}).exitCode, 0);
    dir.Write("patch/new.bin", "appended in front of the others");
    test::WriteBytes(dir / "updated.wad", test::ReadBytes(dir / "created.wad"));
    ASSERT_EQ(test::RunProcess(MENDWRIGHT_CLI, {"-q", "update", dir / "patch", dir / "updated.wad"}).exitCode, 0);
    const std::vector<std::string> originals = {test::ReadBytes(dir / "created.wad"), test::ReadBytes(dir / "updated.wad")};

    // The output sits deep below the sandbox, so that names climbing out of
    // it land where the test looks.
    const std::string sandbox = dir.MakeFolder("sandbox");
    const std::string output = NativePath(sandbox + "/1/2/3/4/5/6/7/8/9/out");
    const std::string archive = dir / "mutant.wad";
    Mutator mutator(20261207);
    int exits[3] = {0, 0, 0};
    // Under Wine every run starts a Windows process, some 0.1 s each.
    const int mutations = kWindowsFileNames ? 100 : 1000;
    for (int i = 0; i < mutations; ++i) {
        const std::string bytes = mutator.Mutate(originals[i % originals.size()]);
        test::WriteBytes(archive, bytes);
        for (const std::vector<std::string>& command :
             {std::vector<std::string>{"list", archive}, {"-q", "extract", archive, output}}) {
            const test::ProcessResult result = test::RunProcess(MENDWRIGHT_CLI, command, "", {}, kTimeLimitSeconds);
            ASSERT_TRUE(result.exitCode >= 0 && result.exitCode <= 2)
                << "mutation " << i << ": " << command[0] << " ended with " << result.exitCode << "\n" << result.err;
            ++exits[result.exitCode];
        }
        ASSERT_EQ(OutsideOutput(sandbox, output), std::vector<std::string>{}) << "mutation " << i;
        ASSERT_EQ(dir.Names().size(), 6u) << "mutation " << i;  // mods, patch, sandbox and three archives
        fs::remove_all(sandbox + "/1");
    }
    std::printf("exit codes over %d runs: %d done, %d file errors, %d refused\n", 2 * mutations, exits[0], exits[1],
                exits[2]);
}

}  // namespace
}  // namespace mw
