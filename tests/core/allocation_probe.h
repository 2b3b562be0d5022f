// Records the largest single allocation the test binary makes, so tests can
// check that corrupt archives allocate nothing big.
#pragma once

#include <cstddef>

namespace mw::test {

void ResetLargestAllocation();
std::size_t LargestAllocation();

}  // namespace mw::test
