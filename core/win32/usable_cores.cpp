#include "core/usable_cores.h"

#include <windows.h>

#include <bit>
#include <thread>

namespace mw {

std::size_t UsableCores()
{
    DWORD_PTR process = 0, system = 0;
    if (GetProcessAffinityMask(GetCurrentProcess(), &process, &system) && process != 0)
        return static_cast<std::size_t>(std::popcount(static_cast<std::uint64_t>(process)));
    return std::max(1u, std::thread::hardware_concurrency());
}

}  // namespace mw
