// What only Windows has: entry names through the system's ANSI code page,
// long paths, a case-blind file system, reparse points and the links Wine
// does not show.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include "core/archive_lock.h"
#include "core/path_helpers.h"
#include "core/wad.h"
#include "core/win32/wide_text.h"
#include "tests/support/process.h"
#include "tests/support/temp_dir.h"
#include "tests/support/wine_host.h"

namespace mw {
namespace {

test::ProcessResult Cli(const std::vector<std::string>& arguments)
{
    return test::RunProcess(MENDWRIGHT_CLI, arguments);
}

// A file whose name holds what the narrow file streams cannot spell.
void WriteWide(const std::string& path, const std::string& bytes)
{
    const HANDLE file = CreateFileW(WidePath(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

bool ExistsWide(const std::string& path)
{
    return GetFileAttributesW(WidePath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

TEST(WindowsCliTest, EntryNamesGoThroughTheSystemCodePage)
{
    const test::TempDir dir;
    dir.MakeFolder("mods");
    const std::string cafe = "caf\xc3\xa9.txt";  // UTF-8, as every path inside
    const std::optional<std::string> cafeEntry = AnsiFromWide(WideFromUtf8(cafe));
    ASSERT_TRUE(cafeEntry) << "code page " << GetACP() << " has no e acute";
    WriteWide(dir / ("mods/" + cafe), "c");
    WriteWide(dir / "mods/b.txt", "b");
    // No ANSI code page holds a character beyond the 16-bit plane.
    const std::string smile = dir / "mods/smile\xf0\x9f\x98\x80.txt";
    WriteWide(smile, "s");

    auto refused = Cli({"create", dir / "mods", dir / "x.wad"});
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_NE(refused.err.find("characters a wad entry cannot hold: " + smile), std::string::npos) << refused.err;
    EXPECT_FALSE(ExistsWide(dir / "x.wad"));

    DeleteFileW(WidePath(smile).c_str());
    ASSERT_EQ(Cli({"-q", "create", dir / "mods", dir / "x.wad"}).exitCode, 0);
    EXPECT_NE(test::ReadBytes(dir / "x.wad").find(*cafeEntry + '\0'), std::string::npos);
    ASSERT_EQ(Cli({"-q", "extract", dir / "x.wad", dir / "out"}).exitCode, 0);
    EXPECT_TRUE(ExistsWide(dir / ("out/" + cafe)));
}

TEST(WindowsCliTest, PathsLongerThan260CharactersWork)
{
    const test::TempDir dir;
    std::string deep = "deep";
    while (deep.size() < 300)
        deep += "/a-folder-name-of-some-length";
    WriteWide(dir.MakeFolder(deep + "/mods/sub") + "\\x.bin", "x");
    WriteWide(dir / (deep + "/mods/y.bin"), "y");
    ASSERT_EQ(Cli({"-q", "create", dir / (deep + "/mods"), dir / (deep + "/d.wad")}).exitCode, 0);
    // Deep enough that ReplaceFileW cannot name its backup, whatever the
    // temporary folder's length.
    for (int padding = 0; padding < 10; ++padding) {
        const std::string folder = deep + "/" + std::string(padding + 1, 'p');
        WriteWide(dir.MakeFolder(folder) + "\\d.wad", test::ContiguousArchive({{"y.bin", "old"}}));
        const auto updated = Cli({"-q", "update", dir / (deep + "/mods/y.bin"), dir / (folder + "/d.wad")});
        ASSERT_EQ(updated.exitCode, 0) << updated.err;
        EXPECT_EQ(test::DirectoryOrder(dir / folder), std::vector<std::string> {"d.wad"});
    }
    ASSERT_EQ(Cli({"-q", "update", dir / (deep + "/mods/y.bin"), dir / (deep + "/d.wad")}).exitCode, 0);
    ASSERT_EQ(Cli({"-q", "extract", dir / (deep + "/d.wad"), dir / (deep + "/out")}).exitCode, 0);
    EXPECT_TRUE(ExistsWide(dir / (deep + "/out/sub/x.bin")));
}

// The file system ignores case: the entry X.WAD is the archive x.wad, which
// extracting would truncate before its bytes are read.
TEST(WindowsCliTest, TheArchiveIsNeverAnOutputWhateverTheCase)
{
    const test::TempDir dir;
    const std::string archive = dir.Write("out/x.wad", test::ContiguousArchive({{"a.txt", "a"}, {"X.WAD", "boom"}}));
    const auto result = Cli({"extract", archive, dir / "out"});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_NE(result.err.find("would overwrite the wad itself: X.WAD"), std::string::npos) << result.err;
    EXPECT_EQ(test::ReadBytes(archive), test::ContiguousArchive({{"a.txt", "a"}, {"X.WAD", "boom"}}));
}

struct LinkCase {
    const char* name;
    const char* link;  // and what it leads to, below the test's folder
    const char* target;
    bool folder;
    const char* entry;
};

constexpr LinkCase kLinks[] = {
    {"a folder", "out/sub", "elsewhere", true, "sub\\a.txt"},
    {"a file", "out/a.txt", "elsewhere/kept.txt", false, "a.txt"},
    {"a file that is not there", "out/b.txt", "elsewhere/none.txt", false, "b.txt"},
};

// Links that the system shows as links, and the Linux links that Wine
// shows as plain folders and files.
TEST(WindowsCliTest, ALinkBelowTheOutputIsNeverFollowed)
{
    for (const LinkCase& c : kLinks) {
        const test::TempDir dir;
        dir.Write("elsewhere/kept.txt", "kept");
        dir.MakeFolder("out");
        if (!test::MakeLink(dir / c.link, dir / c.target, c.folder))
            GTEST_SKIP() << "no symbolic link can be made here";
        const std::string archive = dir.Write("x.wad", test::ContiguousArchive({{c.entry, "written"}}));
        const auto result = Cli({"extract", archive, dir / "out"});
        EXPECT_EQ(result.exitCode, 1) << c.name;
        EXPECT_NE(result.err.find("Symbolic link in the output folder"), std::string::npos) << c.name << result.err;
        EXPECT_EQ(test::DirectoryOrder(dir / "elsewhere"), std::vector<std::string>{"kept.txt"}) << c.name;
        EXPECT_EQ(test::ReadBytes(dir / "elsewhere/kept.txt"), "kept") << c.name;
    }
}

// Another program's lock on the archive (here the update lock, held by
// the test) is waited for, with one line on stderr once it lasts a second.
TEST(WindowsCliTest, ALockOfAnotherProgramIsWaitedForWithOneLine)
{
    const test::TempDir dir;
    const std::string archive = dir.Write("t.wad", test::ContiguousArchive({{"old.bin", "old"}}));
    auto held = std::make_unique<ArchiveLock>(archive, ArchiveLock::Wait::ForOtherUpdates);
    const pid_t update = test::StartProcess(MENDWRIGHT_CLI, {"update", dir.Write("new.bin", "new"), archive}, dir / "err");
    const std::string line = "Waiting for another program using t.wad (Ctrl+C stops)";
    EXPECT_NE(test::BytesOnceTheyHold(dir / "err", line), "");
    held.reset();
    EXPECT_EQ(test::WaitProcess(update, 60), 0);
    const std::string err = test::ReadBytes(dir / "err");
    EXPECT_EQ(err.find(line), err.rfind(line)) << err;
    WadImage image;
    LoadWad(archive, image);
    ASSERT_EQ(image.Entries.size(), 2u);
    EXPECT_EQ(std::string(EntryName(image.Entries[1])) + "=" + image.Payloads[1].Load(), "new.bin=new");
}

}  // namespace
}  // namespace mw
