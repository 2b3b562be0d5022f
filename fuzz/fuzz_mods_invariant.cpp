// The mods invariant (tests/ops/mods_invariant.h) over sequences decoded
// from the input: each byte makes one choice. The first picks the store's
// cap, the default or one small enough to make the oldest mods permanent;
// then the first of a step's bytes says which step it is (install,
// disable, enable, remove); the first two steps install. After each step every archive must be the archive as found with
// the enabled mods installed in install order.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "fuzz/input_bytes.h"
#include "tests/ops/mods_invariant.h"

namespace {

constexpr int kMostSteps = 12;
constexpr std::int64_t kCaps[] = {mw::kDefaultUndoCap, 0, 256, 1024};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    mw::fuzz::InputBytes in(data, size);
    const std::int64_t cap = kCaps[in.Below(4)];
    mw::test::ModsSequence run([&](int count) { return in.Below(count); }, mw::test::MemoryBackedFolder(), cap);
    std::string history;
    for (int step = 0; step < kMostSteps && (step < 2 || !in.AtEnd()); ++step) {
        const int action = step < 2 ? 0 : in.Below(4);
        const char* names[] = {"install", "disable", "enable", "remove"};
        history += std::string(names[action]) + " ";
        std::string error = action == 0 ? run.Install() : run.Change(static_cast<mw::ModAction>(action - 1));
        if (error.empty())
            error = run.Check();
        if (!error.empty()) {
            std::fprintf(stderr, "after %s: %s\n", history.c_str(), error.c_str());
            std::abort();
        }
    }
    return 0;
}
