#include <fcntl.h>
#include <unistd.h>

#include <csignal>

#include <gtest/gtest.h>

#include "core/posix/removal_on_signal.h"
#include "tests/support/temp_dir.h"

namespace mw {
namespace {

volatile std::sig_atomic_t received = 0;

// SIGINT, SIGTERM and SIGHUP remove every armed temporary file; then what
// the process did on the signal before happens (here a handler that counts).
TEST(RemovalOnSignalTest, TheSignalsRemoveTheArmedFileAndThenDoWhatTheyDidBefore)
{
    const test::TempDir dir;
    const int folder = ::open(dir.path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ASSERT_GE(folder, 0);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        struct sigaction counting {}, before {};
        counting.sa_handler = [](int) { received = received + 1; };
        ::sigaction(signal, &counting, &before);
        received = 0;

        for (const char* name : {".mendwright-tmp-armed", ".mendwright-tmp-other"}) {
            dir.Write(name, "partial");
            ArmRemovalOnSignal(folder, name);
        }
        ::raise(signal);
        EXPECT_FALSE(test::Exists(dir / ".mendwright-tmp-armed")) << signal;
        EXPECT_FALSE(test::Exists(dir / ".mendwright-tmp-other")) << signal;

        dir.Write(".mendwright-tmp-armed", "complete");
        ArmRemovalOnSignal(folder, ".mendwright-tmp-armed");
        DisarmRemovalOnSignal(folder, ".mendwright-tmp-armed");
        ::raise(signal);
        EXPECT_EQ(test::ReadBytes(dir / ".mendwright-tmp-armed"), "complete") << signal;
        std::remove((dir / ".mendwright-tmp-armed").c_str());

        EXPECT_EQ(received, 2) << signal;
        ::sigaction(signal, &before, nullptr);
    }
    ::close(folder);
}

}  // namespace
}  // namespace mw
