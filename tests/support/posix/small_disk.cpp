#include "tests/support/small_disk.h"

#include <fcntl.h>
#include <sys/mount.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <vector>

namespace mw::test {

SmallDisk::SmallDisk(const std::string& folder, std::int64_t bytes) : folder_(folder)
{
    if (::geteuid() != 0) {
        whyNot_ = "mounting a small tmpfs needs root";
        return;
    }
    const std::string options = "size=" + std::to_string(bytes) + ",mode=0777";
    if (::mount("tmpfs", folder.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, options.c_str()) != 0) {
        whyNot_ = std::string("mounting a small tmpfs was refused: ") + std::strerror(errno);
        return;
    }
    mounted_ = true;
}

SmallDisk::~SmallDisk()
{
    if (mounted_)
        ::umount2(folder_.c_str(), MNT_DETACH);
}

void SmallDisk::FillLeaving(std::int64_t bytes)
{
    struct statvfs disk {};
    if (::statvfs(folder_.c_str(), &disk) != 0)
        throw std::runtime_error("cannot measure the small disk");
    const auto block = static_cast<std::int64_t>(disk.f_bsize);
    std::int64_t fill = static_cast<std::int64_t>(disk.f_bavail) * block - bytes;
    const std::string name = folder_ + "/filler-" + std::to_string(filler_++);
    const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0)
        throw std::runtime_error("cannot create the filler file");
    const std::vector<char> chunk(static_cast<std::size_t>(block) * 16, 'f');
    while (fill > 0) {
        const auto size = static_cast<std::size_t>(std::min<std::int64_t>(fill, static_cast<std::int64_t>(chunk.size())));
        const ssize_t put = ::write(fd, chunk.data(), size);
        if (put <= 0)
            break;  // already full
        fill -= put;
    }
    ::close(fd);
}

}  // namespace mw::test
