#include "core/posix/kernel_copy.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace mw {
namespace {

constexpr std::size_t kOnePass = std::size_t{64} << 10;
constexpr int kWantedPipeSize = 1 << 20;

// The pipe the pages go through; empty between copies. A copy that fails
// halfway may leave bytes in it, so it is then dropped for a new one.
class CopyPipe {
public:
    ~CopyPipe() { Drop(); }

    bool Open()
    {
        if (read_ >= 0)
            return true;
        int fds[2];
        if (::pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0)
            return false;
        read_ = fds[0];
        write_ = fds[1];
        // Past the user's pipe allowance the pipe keeps its default size.
        (void)::fcntl(write_, F_SETPIPE_SZ, kWantedPipeSize);
        const int size = ::fcntl(write_, F_GETPIPE_SZ);
        size_ = size > 0 ? static_cast<std::size_t>(size) : kOnePass;
        return true;
    }

    void Drop()
    {
        if (read_ >= 0) {
            ::close(read_);
            ::close(write_);
        }
        read_ = write_ = -1;
    }

    int ReadEnd() const { return read_; }
    int WriteEnd() const { return write_; }
    std::size_t Size() const { return size_; }

private:
    int read_ = -1;
    int write_ = -1;
    std::size_t size_ = 0;
};

thread_local CopyPipe copyPipe;

}  // namespace

ssize_t KernelCopy(int from, off_t* in, int to, off_t* out, std::size_t size)
{
    if (size <= kOnePass || !copyPipe.Open())
        return ::copy_file_range(from, in, to, out, size, 0);
    const std::size_t boundary = copyPipe.Size();
    const std::size_t piece = std::min(size, boundary - static_cast<std::size_t>(*out) % boundary);
    const ssize_t got = ::splice(from, in, copyPipe.WriteEnd(), nullptr, piece, SPLICE_F_NONBLOCK);
    // Files the pipe cannot take (a folder among them) meet copy_file_range,
    // whose error is then the one reported.
    if (got < 0)
        return ::copy_file_range(from, in, to, out, size, 0);
    std::size_t put = 0;
    while (put < static_cast<std::size_t>(got)) {
        const ssize_t moved = ::splice(copyPipe.ReadEnd(), nullptr, to, out, static_cast<std::size_t>(got) - put, 0);
        if (moved > 0) {
            put += static_cast<std::size_t>(moved);
            continue;
        }
        if (moved < 0 && errno == EINTR)
            continue;
        // The source offset goes back to the first byte not written, and the
        // bytes left in the pipe go with it.
        const int err = moved < 0 ? errno : EIO;
        *in -= static_cast<off_t>(static_cast<std::size_t>(got) - put);
        copyPipe.Drop();
        if (put > 0)
            return static_cast<ssize_t>(put);
        errno = err;
        return -1;
    }
    return got;
}

}  // namespace mw
