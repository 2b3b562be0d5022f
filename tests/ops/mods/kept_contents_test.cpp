// Kept contents are the files named as the store names them; anything else
// in their folder, however like a kept content's name, is none.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "core/content_hash.h"
#include "core/file.h"
#include "ops/mods/kept_contents.h"
#include "tests/support/temp_dir.h"

namespace mw {
namespace {

TEST(KeptContentsTest, OnlyFilesUnderAKeptContentsOwnNameAreListed)
{
    const test::TempDir dir;
    KeptContents kept(PrivateFolder::Make(dir / "kept"));
    const std::string bytes = dir.Write("source", "bytes");
    File source(bytes, OpenMode::ReadOnly);
    const ContentId content{HashOfBytes("bytes"), 5};
    ASSERT_TRUE(kept.Keep(content, source, 0));
    // Names that read as a content but are not the one it is kept under.
    char upper[64], zeros[64];
    std::snprintf(upper, sizeof upper, "%016llX-5", static_cast<unsigned long long>(content.hash));
    std::snprintf(zeros, sizeof zeros, "%016llx-05", static_cast<unsigned long long>(content.hash));
    for (const char* odd : {upper, zeros})
        dir.Write(std::string("kept/") + odd, "bytes");
    std::filesystem::create_directory(dir / "kept/0000000000000000-0");

    const std::vector<ContentId> listed = KeptContents(PrivateFolder::Make(dir / "kept")).All();
    EXPECT_EQ(listed, std::vector<ContentId>{content});
}

}  // namespace
}  // namespace mw
