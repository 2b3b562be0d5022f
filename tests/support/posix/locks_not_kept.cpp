// Preloaded into a program, makes the file system behave as an NFS mount
// without its lock service does: flock on an archive (a file whose name
// holds ".wad") fails with ENOLCK, every other file locks as usual. Every
// fsync takes 30 ms, as a network's round trip would, so that updates
// started together overlap unless something holds them apart.
#include <dlfcn.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <thread>

namespace {

bool IsArchive(int fd)
{
    char link[64];
    char name[4096];
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    const ssize_t length = ::readlink(link, name, sizeof name - 1);
    if (length <= 0)
        return false;
    name[length] = '\0';
    return std::strstr(name, ".wad") != nullptr;
}

template <typename Function>
Function Next(const char* name)
{
    return reinterpret_cast<Function>(::dlsym(RTLD_NEXT, name));
}

}  // namespace

extern "C" int flock(int fd, int operation)
{
    static const auto next = Next<int (*)(int, int)>("flock");
    if (IsArchive(fd)) {
        errno = ENOLCK;
        return -1;
    }
    return next(fd, operation);
}

extern "C" int fsync(int fd)
{
    static const auto next = Next<int (*)(int)>("fsync");
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    return next(fd);
}
