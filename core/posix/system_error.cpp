// errno onto the codes of the I/O error table.
#include <cerrno>
#include <cstring>

#include "core/errors.h"

namespace mw {

int IoCodeFromSystemError(int err)
{
    switch (err) {
    case ENOENT: return io_code::FileNotFound;
    case ENOTDIR: return io_code::PathNotFound;
    case EMFILE:
    case ENFILE: return io_code::TooManyOpenFiles;
    case EACCES:
    case EISDIR:
    case EPERM:
    case EROFS: return io_code::AccessDenied;
    // The device error keeps its own number, apart from the table's 5.
    case EIO: return io_code::DeviceError;
    case ENOSPC:
    case EDQUOT: return io_code::DiskFull;
    default: return err;
    }
}

void ThrowSystemError(int err, const std::string& path)
{
    throw IoError(IoCodeFromSystemError(err), path, err);
}

std::string SystemErrorText(int err)
{
    return std::strerror(err);
}

}  // namespace mw
