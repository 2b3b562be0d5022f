// Every test of this program runs with HOME, XDG_CONFIG_HOME and WINEPREFIX
// in a temporary folder, so that no test can reach the user's own settings
// or Wine prefix, whatever it forgets to set itself.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "tests/support/temp_dir.h"

namespace mw::test {
namespace {

class IsolatedEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        home_ = std::make_unique<TempDir>();
        ::setenv("HOME", home_->path().c_str(), 1);
        ::setenv("XDG_CONFIG_HOME", home_->MakeFolder(".config").c_str(), 1);
        ::setenv("WINEPREFIX", home_->MakeFolder(".wine").c_str(), 1);
    }
    void TearDown() override { home_.reset(); }

private:
    std::unique_ptr<TempDir> home_;
};

[[maybe_unused]] ::testing::Environment* const kIsolated =
    ::testing::AddGlobalTestEnvironment(new IsolatedEnvironment);

}  // namespace
}  // namespace mw::test
