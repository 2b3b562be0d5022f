#include <cerrno>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <functional>

#include <gtest/gtest.h>

#include "core/archive_lock.h"
#include "core/byte_progress.h"
#include "core/errors.h"
#include "core/file_faults.h"
#include "core/wad.h"
#include "tests/support/temp_dir.h"

namespace mw {
namespace {

using namespace std::string_literals;
using test::ErrorOf;
using test::TempDir;

WadEntry Entry(std::string_view name, std::int32_t offset, std::int32_t size)
{
    WadEntry entry {};
    SetEntryName(entry, name);
    entry.Offset = offset;
    entry.Size = size;
    return entry;
}

WadImage ExampleImage()
{
    WadImage image;
    image.EntryCount = 2;
    image.Entries = {Entry("a.txt", 276, 3), Entry("sub\\b.bin", 279, 0)};
    image.Payloads = {"abc", ""};
    return image;
}

class WadWriterTest : public ::testing::Test {
protected:
    void TearDown() override { faults::Clear(); }

    // Temporary files the writer left in the folder.
    std::vector<std::string> Leftovers() const { return test::TemporaryFiles(dir.path()); }

    TempDir dir;
};

TEST_F(WadWriterTest, WritesTheExampleArchiveByteForByte)
{
    const std::string name = dir / "x.wad";
    RebuildWad(name, ExampleImage(), 2);
    EXPECT_EQ(test::ReadBytes(name), test::ContiguousArchive({{"a.txt", "abc"}, {"sub\\b.bin", ""}}));
    EXPECT_TRUE(Leftovers().empty());
}

TEST_F(WadWriterTest, CountZeroWritesFourNulBytes)
{
    const std::string name = dir / "empty.wad";
    RebuildWad(name, ExampleImage(), 0);
    EXPECT_EQ(test::ReadBytes(name), "\0\0\0\0"s);
}

// Found by the fuzzers' seed writer under UBSan: the directory of an image
// with no table at all was copied from a null pointer.
TEST_F(WadWriterTest, AnImageWithoutATableCopiesNoDirectoryFromNull)
{
    const std::string name = dir / "empty.wad";
    RebuildWad(name, WadImage{}, 0);
    EXPECT_EQ(test::ReadBytes(name), "\0\0\0\0"s);
}

TEST_F(WadWriterTest, LoadAndRewriteKeepsNameFieldsAndDropsTrailingBytes)
{
    const std::string longName(128, 'L');
    std::string bytes = test::DirectoryBytes({{"a.txt\0tail"s, 276, 3}, {longName, 279, 0}}) + "abc";
    const std::string name = dir.Write("x.wad", bytes + "trailing");
    WadImage image;
    LoadWad(name, image);
    RebuildWad(name, image, image.EntryCount);
    EXPECT_EQ(test::ReadBytes(name), bytes);
}

TEST_F(WadWriterTest, GapsAreZeroAndTheLaterOfOverlappingWritesWins)
{
    WadImage image;
    image.Entries = {Entry("far", 420, 2), Entry("over", 421, 2), Entry("dir", 0, 1)};
    image.Payloads = {"AB", "CD", "Z"};
    const std::string name = dir / "x.wad";
    RebuildWad(name, image, 3);
    const std::string bytes = test::ReadBytes(name);
    ASSERT_EQ(bytes.size(), 423u);
    EXPECT_EQ(bytes[0], 'Z');  // a payload inside the directory is written after it
    EXPECT_EQ(bytes.substr(412, 8), std::string(8, '\0'));
    EXPECT_EQ(bytes.substr(420), "ACD");
}

TEST_F(WadWriterTest, ReplacingKeepsThePermissionBitsAndANewArchiveFollowsTheUmask)
{
    const std::string kept = dir.Write("kept.wad", "old");
    ::chmod(kept.c_str(), 0640);
    RebuildWad(kept, ExampleImage(), 2);
    struct stat st {};
    ::stat(kept.c_str(), &st);
    EXPECT_EQ(st.st_mode & 07777, 0640u);

    const mode_t mask = ::umask(022);
    RebuildWad(dir / "new.wad", ExampleImage(), 2);
    ::umask(mask);
    ::stat((dir / "new.wad").c_str(), &st);
    EXPECT_EQ(st.st_mode & 07777, 0644u);
}

TEST_F(WadWriterTest, ALinkStaysAndItsTargetIsRewritten)
{
    const std::string real = dir.Write("real.wad", "old");
    const std::string link = dir / "link.wad";
    ASSERT_EQ(::symlink(real.c_str(), link.c_str()), 0);
    RebuildWad(link, ExampleImage(), 2);
    struct stat st {};
    ASSERT_EQ(::lstat(link.c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    EXPECT_EQ(test::ReadBytes(real).size(), 279u);
}

// A failure at any step of the write leaves the old archive and no temporary
// file, whether the file system gives unnamed temporary files or not.
TEST_F(WadWriterTest, AFailedWriteLeavesTheOldArchiveUntouched)
{
    const std::string old = "old archive bytes";
    const std::string name = dir.Write("x.wad", old);
    struct Fault {
        faults::Call call;
        int nth;
        int err;
        std::string text;
    };
    const std::vector<Fault> cases = {
        {faults::Call::Write, 1, ENOSPC, "Erreur E/S 112"},
        {faults::Call::Write, 2, EIO, "Erreur E/S 1117"},     // the first payload
        {faults::Call::Seek, 1, EIO, "Erreur E/S 1117"},
        {faults::Call::Sync, 1, EIO, "Erreur E/S 1117"},
        {faults::Call::Close, 1, ENOSPC, "Erreur E/S 112"},
        {faults::Call::Rename, 1, EACCES, "Accès au fichier refusé"},
        {faults::Call::Open, 3, EMFILE, "Trop de fichiers ouverts"},  // the temporary file
    };
    for (const bool named : {false, true}) {
        for (const Fault& fault : cases) {
            if (named)
                faults::Arm(faults::Call::UnnamedTemporary, 1, EOPNOTSUPP);
            faults::Arm(fault.call, fault.nth, fault.err);
            EXPECT_EQ(ErrorOf([&] { RebuildWad(name, ExampleImage(), 2); }), fault.text) << named;
            faults::Clear();
            EXPECT_EQ(test::ReadBytes(name), old);
            EXPECT_TRUE(dir.Names() == std::vector<std::string>{"x.wad"}) << named;
        }
    }
}

// Progress lines written to a reader that has gone, as
// `mendwright-cli -v create ... 2>&1 | head -1` writes them.
class ProgressToClosedPipe final : public ByteProgress {
public:
    ProgressToClosedPipe()
    {
        int ends[2];
        if (::pipe(ends) == 0) {
            ::close(ends[0]);
            fd_ = ends[1];
        }
    }
    void Moved(std::int64_t) override { (void)!::write(fd_, "x", 1); }

private:
    int fd_ = -1;
};

// SIGPIPE (the progress's reader gone) and SIGXFSZ (`ulimit -f` reached by
// the archive) end the process in the middle of the write; where the file
// system has no unnamed temporary files, the named one goes with it.
TEST_F(WadWriterTest, AWriteEndedBySigpipeOrSigxfszLeavesNoTemporaryFile)
{
    const std::string name = dir.Write("x.wad", "old");
    WadImage image;
    image.Entries = {Entry("big.bin", 140, 1 << 20)};
    image.Payloads = {std::string(1 << 20, 'b')};
    // Runs in a child process that the signal ends.
    const auto rewriteUntil = [&](int signal) {
        ::signal(signal, SIG_DFL);  // as a program started from a shell has it
        const rlimit noCore {0, 0}, smallFiles {64 << 10, RLIM_INFINITY};
        ::setrlimit(RLIMIT_CORE, &noCore);
        if (signal == SIGXFSZ)
            ::setrlimit(RLIMIT_FSIZE, &smallFiles);
        faults::Arm(faults::Call::UnnamedTemporary, 1, EOPNOTSUPP);
        ProgressToClosedPipe progress;
        RebuildWad(name, image, 1, signal == SIGPIPE ? &progress : nullptr);
        std::exit(0);
    };
    for (const int signal : {SIGPIPE, SIGXFSZ}) {
        EXPECT_EXIT(rewriteUntil(signal), ::testing::KilledBySignal(signal), "");
        EXPECT_EQ(test::ReadBytes(name), "old");
        EXPECT_TRUE(dir.Names() == std::vector<std::string>{"x.wad"}) << signal;
    }
}

// The temporary name is short: a name of up to 255 bytes can be rewritten.
TEST_F(WadWriterTest, ArchiveNamesUpToTheFileSystemsLimitAreWritten)
{
    for (const bool named : {false, true}) {
        const std::string name = dir.Write(std::string(251, named ? 'n' : 'u') + ".wad", "old");
        if (named)
            faults::Arm(faults::Call::UnnamedTemporary, 1, EOPNOTSUPP);
        EXPECT_EQ(ErrorOf([&] { RebuildWad(name, ExampleImage(), 2); }), "no error");
        EXPECT_EQ(test::ReadBytes(name), test::ContiguousArchive({{"a.txt", "abc"}, {"sub\\b.bin", ""}}));
        EXPECT_TRUE(Leftovers().empty());
    }
}

// Untouched entries are copied from the archive that was loaded, not from
// whatever file has taken its name since.
TEST_F(WadWriterTest, UntouchedBytesComeFromTheLoadedArchive)
{
    const std::string archive = test::ContiguousArchive({{"a.txt", "abc"}, {"b.bin", "defg"}});
    const std::string name = dir.Write("x.wad", archive);
    WadImage image;
    LoadWad(name, image);
    const std::string other = dir.Write("other.wad", std::string(archive.size(), '?'));
    ASSERT_EQ(::rename(other.c_str(), name.c_str()), 0);
    RebuildWad(name, image, image.EntryCount);
    EXPECT_EQ(test::ReadBytes(name), archive);
}

// An update holds its archive locked, but a program that takes no lock may
// still replace or rewrite it after the load: its file is kept, not
// overwritten with an update of what was there before.
TEST_F(WadWriterTest, ALockedArchiveThatAnotherProgramChangedIsNotReplaced)
{
    const std::string name = dir / "x.wad";
    const std::string archive = test::ContiguousArchive({{"a.txt", "abc"}});
    const std::vector<std::function<void()>> changes = {
        [&] { ::rename(dir.Write("other.wad", "replacement").c_str(), name.c_str()); },
        [&] { test::WriteBytes(name, archive + " and more"); },
    };
    for (const auto& change : changes) {
        test::WriteBytes(name, archive);
        const ArchiveLock lock(name, ArchiveLock::Wait::ForOtherUpdates);
        WadImage image;
        LoadWad(lock, image);
        change();
        const std::string changed = test::ReadBytes(name);
        EXPECT_EQ(ErrorOf([&] { RebuildWad(lock, image, image.EntryCount); }),
                  "Sorry but another program replaced or changed this wad during the update, which leaves it as "
                  "it is: " + name);
        EXPECT_EQ(test::ReadBytes(name), changed);
        EXPECT_TRUE(dir.Names() == std::vector<std::string>{"x.wad"});
    }
}

// The kernel follows the archive's links, with its own checks: a loop is an
// error, where a resolution by hand fell back to replacing the link itself.
TEST_F(WadWriterTest, TheKernelFollowsTheArchivesLinks)
{
    const std::string loop = dir / "loop.wad";
    ASSERT_EQ(::symlink(loop.c_str(), loop.c_str()), 0);
    EXPECT_EQ(ErrorOf([&] { RebuildWad(loop, ExampleImage(), 2); }), "Erreur E/S 40");
    struct stat st {};
    ASSERT_EQ(::lstat(loop.c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    EXPECT_TRUE(Leftovers().empty());
}

TEST_F(WadWriterTest, ExtendedAttributesAreKept)
{
    const std::string name = dir.Write("x.wad", "old");
    if (::setxattr(name.c_str(), "user.origin", "gp4", 3, 0) != 0)
        GTEST_SKIP() << "no user attributes on this file system";
    RebuildWad(name, ExampleImage(), 2);
    char value[8] = {};
    EXPECT_EQ(::getxattr(name.c_str(), "user.origin", value, sizeof value), 3);
    EXPECT_STREQ(value, "gp4");
    EXPECT_EQ(test::ReadBytes(name).size(), 279u);
}

TEST_F(WadWriterTest, AMissingFolderStopsBeforeAnythingIsWritten)
{
    EXPECT_EQ(ErrorOf([&] { RebuildWad(dir / "nowhere/x.wad", ExampleImage(), 2); }), "Nom de fichier incorrect");
    EXPECT_TRUE(dir.Names().empty());
}

TEST_F(WadWriterTest, AReadOnlyTargetOrFolderIsRefused)
{
    const std::string name = dir.Write("locked.wad", "old");
    ::chmod(name.c_str(), 0444);
    EXPECT_EQ(test::ErrorOfUnprivileged(dir, [&] { RebuildWad(name, ExampleImage(), 2); }),
              "Accès au fichier refusé");
    EXPECT_EQ(test::ReadBytes(name), "old");

    const std::string folder = dir.MakeFolder("closed");
    ::chmod(folder.c_str(), 0555);
    EXPECT_EQ(test::ErrorOfUnprivileged(dir, [&] { RebuildWad(folder + "/x.wad", ExampleImage(), 2); }),
              "Accès au fichier refusé");
    EXPECT_TRUE(test::DirectoryOrder(folder).empty());
}

TEST_F(WadWriterTest, StretchesAreCopiedFromTheirFiles)
{
    const std::string source = dir.Write("source.bin", "0123456789");
    const auto name = std::make_shared<const std::string>(source);
    WadImage image;
    image.Entries = {Entry("middle", 276, 4), Entry("held", 280, 2)};
    image.Payloads = {Payload::Stretch(name, 3, 4), "hh"};
    RebuildWad(dir / "x.wad", image, 2);
    EXPECT_EQ(test::ReadBytes(dir / "x.wad").substr(276), "3456hh");

    // A file that shrank since it was measured fails as a short read.
    const std::string old = test::ReadBytes(dir / "x.wad");
    image.Payloads[0] = Payload::Stretch(name, 8, 4);
    EXPECT_EQ(ErrorOf([&] { RebuildWad(dir / "x.wad", image, 2); }), "Lecture au-delà de la fin de fichier");
    EXPECT_EQ(test::ReadBytes(dir / "x.wad"), old);
    EXPECT_TRUE(Leftovers().empty());
}

TEST_F(WadWriterTest, ANegativeOffsetFailsAsItsSeek)
{
    WadImage image = ExampleImage();
    image.Entries[1].Offset = -1;
    const std::string name = dir.Write("x.wad", "old");
    EXPECT_EQ(ErrorOf([&] { RebuildWad(name, image, 2); }), "Erreur E/S 131");
    EXPECT_EQ(test::ReadBytes(name), "old");
    EXPECT_TRUE(Leftovers().empty());
}

}  // namespace
}  // namespace mw
