// Every test of the program it is linked into runs with the user's data
// folder in a temporary folder, so that the undo records of its updates
// (and of the programs it starts) never reach the user's own.
#include <gtest/gtest.h>

#include <memory>

#include "tests/support/temp_dir.h"

namespace mw::test {
namespace {

class IsolatedDataHome : public ::testing::Environment {
public:
    void SetUp() override
    {
        home_ = std::make_unique<TempDir>();
        UseDataFolder(home_->path());
    }
    void TearDown() override { home_.reset(); }

private:
    std::unique_ptr<TempDir> home_;
};

[[maybe_unused]] ::testing::Environment* const kIsolated =
    ::testing::AddGlobalTestEnvironment(new IsolatedDataHome);

}  // namespace
}  // namespace mw::test
