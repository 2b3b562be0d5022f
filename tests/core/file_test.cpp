#include <cerrno>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include "core/errors.h"
#include "core/file.h"
#include "core/file_faults.h"
#include "tests/support/small_disk.h"
#include "tests/support/temp_dir.h"

namespace mw {
namespace {

using test::ErrorOf;
using test::TempDir;

class FileTest : public ::testing::Test {
protected:
    void TearDown() override { faults::Clear(); }
    TempDir dir;
};

TEST_F(FileTest, WritingModeCreatesAndTruncates)
{
    const std::string name = dir.Write("a.bin", "0123456789");
    File file(name, OpenMode::Writing);
    file.Write("abc", 3);
    file.Close();
    EXPECT_EQ(test::ReadBytes(name), "abc");
}

TEST_F(FileTest, ReadsSeeksAndReportsShortReads)
{
    const std::string name = dir.Write("a.bin", "0123456789");
    File file(name, OpenMode::ReadOnly);
    EXPECT_EQ(file.Length(), 10);
    char buffer[4] = {};
    file.Seek(6);
    file.Read(buffer, 4);
    EXPECT_EQ(std::string(buffer, 4), "6789");
    file.Seek(8);
    EXPECT_EQ(ErrorOf([&] { file.Read(buffer, 4); }), "Lecture au-delà de la fin de fichier");
    EXPECT_EQ(ErrorOf([&] { file.Seek(-1); }), "Erreur E/S 131");
}

TEST_F(FileTest, OpenFailuresCarryTheirTexts)
{
    EXPECT_EQ(ErrorOf([&] { File(dir / "missing.wad", OpenMode::Reading); }), "Fichier introuvable");
    EXPECT_EQ(ErrorOf([&] { File(dir / "nofolder/x.wad", OpenMode::Reading); }), "Nom de fichier incorrect");
    EXPECT_EQ(ErrorOf([&] { File(dir / "nofolder/x.wad", OpenMode::Writing); }), "Nom de fichier incorrect");
    dir.MakeFolder("folder");
    EXPECT_EQ(ErrorOf([&] { File(dir / "folder", OpenMode::Reading); }), "Accès au fichier refusé");
    EXPECT_EQ(ErrorOf([&] { File(dir / "folder", OpenMode::ReadOnly); }), "Accès au fichier refusé");
    File out(dir / "out.bin", OpenMode::Writing);
    File folderSource(dir / "folder", OpenMode::CopySource);
    EXPECT_EQ(ErrorOf([&] { out.CopyFrom(folderSource, 0, 0, 1); }), "Accès au fichier refusé");
}

TEST_F(FileTest, ReadingModeRefusesAReadOnlyFileThatReadOnlyModeOpens)
{
    const std::string name = dir.Write("locked.wad", "data");
    ::chmod(name.c_str(), 0444);
    EXPECT_EQ(test::ErrorOfUnprivileged(dir, [&] { File(name, OpenMode::ReadOnly); }), "no error");
    EXPECT_EQ(test::ErrorOfUnprivileged(dir, [&] { File(name, OpenMode::Reading); }), "Accès au fichier refusé");
}

TEST_F(FileTest, InjectedFaultsFailTheChosenCall)
{
    const std::string name = dir / "a.bin";
    File file(name, OpenMode::Writing);
    faults::Arm(faults::Call::Write, 2, ENOSPC);
    file.Write("a", 1);
    EXPECT_EQ(ErrorOf([&] { file.Write("b", 1); }), "Erreur E/S 112");
    file.Write("c", 1);  // the fault fires once
    file.Close();
    EXPECT_EQ(test::ReadBytes(name), "ac");
}

std::string PatternBytes(std::size_t size)
{
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>(i * 31 / 7);
    return bytes;
}

// A copy of several megabytes between offsets that differ by other than
// whole pages lands whole and in place, in the kernel (through its pipe) or,
// where the kernel cannot copy (another file system), through memory.
TEST_F(FileTest, CopyMovesEveryPieceInPlaceInTheKernelOrThroughMemory)
{
    const std::string bytes = PatternBytes(3 * (1 << 20) + 7);
    for (const bool kernel : {true, false}) {
        File source(dir.Write("in.bin", bytes), OpenMode::ReadOnly);
        const std::string name = dir.Write("out.bin", "head");
        File out(name, OpenMode::Reading);
        if (!kernel)
            faults::Arm(faults::Call::KernelCopy, 1, EXDEV);
        out.CopyFrom(source, 5, 4, static_cast<std::int64_t>(bytes.size()) - 5);
        out.Close();
        EXPECT_TRUE(test::ReadBytes(name) == "head" + bytes.substr(5)) << kernel;
    }
}

// A kernel copy that fails halfway (a full disk) leaves nothing in the
// kernel's pipe for the next copy.
TEST_F(FileTest, ACopyThatFailsHalfwayLeavesNothingForTheNext)
{
    const std::string bytes = PatternBytes(3 * (1 << 20) + 7);
    File source(dir.Write("in.bin", bytes), OpenMode::ReadOnly);
    test::SmallDisk disk(dir.MakeFolder("disk"), 512 << 10);
    if (!disk.mounted())
        GTEST_SKIP() << disk.whyNotMounted();
    File full(dir / "disk/out.bin", OpenMode::Writing);
    EXPECT_EQ(ErrorOf([&] { full.CopyFrom(source, 1, 0, 700 << 10); }), "Erreur E/S 112");
    const std::string name = dir / "out.bin";
    File out(name, OpenMode::Writing);
    out.CopyFrom(source, 2, 0, static_cast<std::int64_t>(bytes.size()) - 2);
    out.Close();
    EXPECT_TRUE(test::ReadBytes(name) == bytes.substr(2));
}

// An append reads the source to its end from where it stands, in the kernel
// or through memory, and stops one byte past the limit it is given; a
// source that the first megabyte shows to be too long is refused there.
TEST_F(FileTest, AppendCopiesToTheSourcesEndOrStopsPastTheLimit)
{
    const std::string bytes = PatternBytes(3 * (1 << 20) + 7);
    const std::string in = dir.Write("in.bin", bytes);
    const auto left = static_cast<std::int64_t>(bytes.size()) - 2;  // from position 2
    struct Case {
        std::int64_t limit;
        std::int64_t returned;
        std::int64_t written;
    };
    for (const bool kernel : {true, false}) {
        for (const Case& c : std::vector<Case>{{left, left, left}, {left - 1, left, 1 << 20}, {0, 1, 1}}) {
            File source(in, OpenMode::CopySource);
            source.Seek(2);
            const std::string name = dir.Write("out.bin", "");
            File out(name, OpenMode::Reading);
            out.Write("head", 4);
            if (!kernel)
                faults::Arm(faults::Call::KernelCopy, 1, EXDEV);
            EXPECT_EQ(out.AppendFrom(source, c.limit), c.returned) << kernel << " " << c.limit;
            out.Close();
            EXPECT_TRUE(test::ReadBytes(name) == "head" + bytes.substr(2, static_cast<std::size_t>(c.written)));
            faults::Clear();
        }
    }
    File out(dir / "out.bin", OpenMode::Writing);
    File folder(dir.MakeFolder("folder"), OpenMode::CopySource);
    EXPECT_EQ(ErrorOf([&] { out.AppendFrom(folder, 10); }), "Accès au fichier refusé");
}

TEST_F(FileTest, ExistenceTestsTellFilesFromFolders)
{
    const std::string file = dir.Write("f.txt", "");
    const std::string folder = dir.MakeFolder("d");
    EXPECT_TRUE(FileExists(file));
    EXPECT_FALSE(FileExists(folder));
    EXPECT_FALSE(FileExists(""));
    EXPECT_TRUE(FolderExists(folder));
    EXPECT_FALSE(FolderExists(file));
}

}  // namespace
}  // namespace mw
