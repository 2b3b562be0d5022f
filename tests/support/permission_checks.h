// File permissions that hold for the tests also when they run as root.
#pragma once

#include <linux/capability.h>

namespace mw::test {

// While it lives, the calling thread is refused what a file's permissions
// refuse: root's capabilities to override them are set aside, and given
// back at the end.
class PermissionChecks {
public:
    PermissionChecks();
    ~PermissionChecks();
    PermissionChecks(const PermissionChecks&) = delete;
    PermissionChecks& operator=(const PermissionChecks&) = delete;

private:
    __user_cap_data_struct saved_[_LINUX_CAPABILITY_U32S_3] = {};
};

}  // namespace mw::test
