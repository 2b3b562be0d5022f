// The durable rename on POSIX: rename, then the folder flushed.
#include "core/durable_rename.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

#include "core/errors.h"
#include "core/file_faults.h"
#include "core/path_helpers.h"

namespace mw {

void RenameDurably(const std::string& from, const std::string& to)
{
    int err = faults::Check(faults::Call::Rename);
    if (err == 0 && std::rename(from.c_str(), to.c_str()) != 0)
        err = errno;
    if (err != 0)
        ThrowSystemError(err, to);
    const std::string folder = FolderPart(to, kNativeSeparator);
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        ThrowSystemError(errno, folder);
    err = ::fsync(fd) == 0 ? 0 : errno;
    ::close(fd);
    if (err != 0)
        ThrowSystemError(err, folder);
}

}  // namespace mw
