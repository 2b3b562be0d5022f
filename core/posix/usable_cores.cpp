#include "core/usable_cores.h"

#include <sched.h>

#include <algorithm>
#include <thread>

namespace mw {

std::size_t UsableCores()
{
    cpu_set_t allowed;
    if (::sched_getaffinity(0, sizeof allowed, &allowed) == 0)
        return static_cast<std::size_t>(std::max(1, CPU_COUNT(&allowed)));
    return std::max(1u, std::thread::hardware_concurrency());
}

}  // namespace mw
