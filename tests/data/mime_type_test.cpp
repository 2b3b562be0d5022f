#include <gtest/gtest.h>

#include <QMimeDatabase>

#include "tests/support/process.h"
#include "tests/support/temp_dir.h"

namespace mw {
namespace {

const char* const kSystemTypes = "/usr/share/mime/packages/freedesktop.org.xml";

// A GP4 archive has no signature; Doom's and WiiWare's archives do, and they
// keep their own types beside ours.
TEST(WadMimeTypeTest, TheContentDecidesBetweenTheWadTypes)
{
    // One database with the system's types and ours, as an install beside
    // shared-mime-info's types makes it (built once: it takes seconds).
    const test::TempDir home;
    const std::string packages = home.MakeFolder("mime/packages");
    test::WriteBytes(packages + "/freedesktop.org.xml", test::ReadBytes(kSystemTypes));
    test::WriteBytes(packages + "/ours.xml", test::ReadBytes(MENDWRIGHT_MIME_PACKAGE));
    const test::ProcessResult update = test::RunProcess("/usr/bin/update-mime-database", {home / "mime"});
    ASSERT_EQ(update.exitCode, 0) << update.err;
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString(home.path()));

    const struct {
        std::string bytes;
        const char* type;
    } kCases[] = {
        {std::string("\1\0\0\0\x10\0\0\0\4\0\0\0", 12), "application/x-gp4-wad"},
        {std::string("PWAD\1\0\0\0\x10\0\0\0", 12), "application/x-doom-wad"},
        {std::string("\0\0\0\x20Is\0\0\0\0\0\0", 12), "application/x-wii-wad"},
    };
    const QMimeDatabase types;
    for (const auto& c : kCases) {
        const std::string file = home.Write(std::string(c.type).substr(12) + ".wad", c.bytes);
        EXPECT_EQ(types.mimeTypeForFile(QString::fromStdString(file)).name().toStdString(), c.type);
    }
}

}  // namespace
}  // namespace mw
