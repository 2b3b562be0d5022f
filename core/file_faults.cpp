#include "core/file_faults.h"

#include <array>
#include <atomic>

namespace mw::faults {
namespace {

struct Fault {
    std::atomic<int> remaining{0};  // 0: disarmed
    std::atomic<int> err{0};
};

std::array<Fault, static_cast<int>(Call::List) + 1> table;
std::atomic<bool> anyArmed{false};

}  // namespace

void Arm(Call call, int nth, int err)
{
    Fault& fault = table[static_cast<int>(call)];
    fault.err = err;
    fault.remaining = nth;
    anyArmed = true;
}

void Clear()
{
    for (Fault& fault : table)
        fault.remaining = 0;
    anyArmed = false;
}

int Check(Call call)
{
    if (!anyArmed.load(std::memory_order_relaxed))
        return 0;
    Fault& fault = table[static_cast<int>(call)];
    int left = fault.remaining.load();
    if (left <= 0)
        return 0;
    if (fault.remaining.fetch_sub(1) == 1)
        return fault.err.load();
    return 0;
}

}  // namespace mw::faults
