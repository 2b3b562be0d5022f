// How many cores this process may run on (taskset, a container's cpuset,
// a job's affinity), not all that the machine has.
#pragma once

#include <cstddef>

namespace mw {

std::size_t UsableCores();

}  // namespace mw
