// A small tmpfs mounted on a folder for the life of the object, so that a
// test can run an operation out of space on a real file system. Mounting
// needs root (CAP_SYS_ADMIN); elsewhere the object says why it could not.
#pragma once

#include <cstdint>
#include <string>

namespace mw::test {

class SmallDisk {
public:
    SmallDisk(const std::string& folder, std::int64_t bytes);
    ~SmallDisk();
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool mounted() const { return mounted_; }
    const std::string& whyNotMounted() const { return whyNot_; }

    // Fills the disk with a filler file until about bytes are left free
    // (whole pages of the file system; 0 leaves nothing).
    void FillLeaving(std::int64_t bytes);

private:
    std::string folder_;
    bool mounted_ = false;
    std::string whyNot_;
    int filler_ = 0;
};

}  // namespace mw::test
