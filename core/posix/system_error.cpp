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

void ThrowSystemError(int err, const std::string& path, Access access)
{
    throw IoError(IoCodeFromSystemError(err), path, err, access);
}

int DiskFullSystemError()
{
    return ENOSPC;
}

SystemFailure SystemFailureOf(int err)
{
    switch (err) {
    case ENOENT: return SystemFailure::NotFound;
    case ENOTDIR: return SystemFailure::NotAFolder;
    case EISDIR: return SystemFailure::IsAFolder;
    case EACCES:
    case EPERM: return SystemFailure::Refused;
    case EROFS: return SystemFailure::ReadOnlyFileSystem;
    case ENOSPC: return SystemFailure::DiskFull;
    case EDQUOT: return SystemFailure::QuotaUsedUp;
    case EFBIG: return SystemFailure::TooLarge;
    case EMFILE:
    case ENFILE: return SystemFailure::TooManyOpen;
    case EIO: return SystemFailure::DeviceFailed;
    case ELOOP: return SystemFailure::LinkLoop;
    case ENAMETOOLONG: return SystemFailure::NameTooLong;
    case ETXTBSY:
    case EBUSY: return SystemFailure::InUse;
    case ESTALE: return SystemFailure::Replaced;
    default: return SystemFailure::Other;
    }
}

std::string SystemErrorText(int err)
{
    return std::strerror(err);
}

}  // namespace mw
