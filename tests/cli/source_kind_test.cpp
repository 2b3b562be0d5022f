// A source or a new archive that is not a regular file (a pipe, a device, a
// socket) is refused, naming it, and nothing is written.
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>

#include <gtest/gtest.h>

#include "core/wad.h"
#include "tests/support/process.h"
#include "tests/support/temp_dir.h"

namespace mw {
namespace {

// A socket bound at path, as a server leaves one in a folder.
int BindSocket(const std::string& path)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address {};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
    EXPECT_EQ(::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0) << path;
    return fd;
}

TEST(SourceKindTest, WhatIsNotARegularFileIsRefusedAndNothingIsWritten)
{
    const test::TempDir dir;
    const std::string fifo = dir / "pipe.bin";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string socket = dir / "socket.bin";
    const int server = BindSocket(socket);
    const std::string archive = dir.Write("t.wad", test::ContiguousArchive({{"pipe.bin", "old"}}));
    dir.Write("mods/a.bin", "a");
    dir.Write("mods/b.bin", "b");

    const std::string notRegular = "Sorry but this source is not a regular file: ";
    struct Case {
        std::vector<std::string> arguments;
        int exitCode;
        std::string message;
    };
    const std::vector<Case> cases = {
        {{"update", fifo, archive}, 2, notRegular + fifo},
        {{"update", "/dev/null", archive}, 2, notRegular + "/dev/null"},
        {{"update", socket, archive}, 2, notRegular + socket},
        {{"update-tracks", fifo, "--gp4", dir / "gp4"}, 2, notRegular + fifo},
        {{"create", fifo, dir / "new.wad"}, 2, notRegular + fifo},
        {{"create", dir / "mods", fifo}, 1, "Sorry but this wad is not a regular file: " + fifo},
    };
    const std::string old = test::ReadBytes(archive);
    for (const Case& c : cases) {
        const auto result = test::RunProcess(MENDWRIGHT_CLI, c.arguments, "", {}, 60);
        EXPECT_EQ(result.exitCode, c.exitCode) << c.arguments[0] << " " << c.arguments[1];
        EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
        EXPECT_EQ(test::ReadBytes(archive), old);
        struct stat st {};
        EXPECT_TRUE(::stat(fifo.c_str(), &st) == 0 && S_ISFIFO(st.st_mode));
        EXPECT_EQ(dir.Names().size(), 4u);  // the pipe, the socket, the archive and mods
    }
    ::close(server);
}

}  // namespace
}  // namespace mw
