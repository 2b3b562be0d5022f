// Every test of the program it is linked into runs with XDG_DATA_HOME in a
// temporary folder, so that the undo records of its updates (and of the
// programs it starts) never reach the user's own data folder.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <memory>

#include "tests/support/temp_dir.h"

namespace mw::test {
namespace {

class IsolatedDataHome : public ::testing::Environment {
public:
    void SetUp() override
    {
        home_ = std::make_unique<TempDir>();
        // Open to all, as /tmp is: a test run as root that drops to an
        // unprivileged user still keeps that user's records here.
        ::chmod(home_->path().c_str(), 01777);
        ::setenv("XDG_DATA_HOME", home_->path().c_str(), 1);
    }
    void TearDown() override { home_.reset(); }

private:
    std::unique_ptr<TempDir> home_;
};

[[maybe_unused]] ::testing::Environment* const kIsolated =
    ::testing::AddGlobalTestEnvironment(new IsolatedDataHome);

}  // namespace
}  // namespace mw::test
