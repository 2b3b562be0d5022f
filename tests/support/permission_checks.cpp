#include "tests/support/permission_checks.h"

#include <sys/syscall.h>
#include <unistd.h>

#include <stdexcept>

namespace mw::test {
namespace {

// The calling thread's capabilities are read and set through this header.
__user_cap_header_struct ThisThread()
{
    return {_LINUX_CAPABILITY_VERSION_3, 0};
}

}  // namespace

PermissionChecks::PermissionChecks()
{
    __user_cap_header_struct header = ThisThread();
    if (::syscall(SYS_capget, &header, saved_) != 0)
        throw std::runtime_error("cannot read the thread's capabilities");
    __user_cap_data_struct checked[_LINUX_CAPABILITY_U32S_3];
    for (int i = 0; i < _LINUX_CAPABILITY_U32S_3; ++i)
        checked[i] = saved_[i];
    checked[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
    if (::syscall(SYS_capset, &header, checked) != 0)
        throw std::runtime_error("cannot set the thread's capabilities aside");
}

PermissionChecks::~PermissionChecks()
{
    // Set aside from the effective set only, they stay permitted and can
    // always be taken back.
    __user_cap_header_struct header = ThisThread();
    (void)::syscall(SYS_capset, &header, saved_);
}

}  // namespace mw::test
