// Win32 error codes onto the codes of the I/O error table.
#include <windows.h>

#include "core/errors.h"
#include "core/win32/wide_text.h"

namespace mw {

int IoCodeFromSystemError(int err)
{
    switch (static_cast<DWORD>(err)) {
    case ERROR_FILE_NOT_FOUND: return io_code::FileNotFound;
    // A folder on the way that is a file is a path not found, as on POSIX.
    case ERROR_PATH_NOT_FOUND:
    case ERROR_DIRECTORY: return io_code::PathNotFound;
    case ERROR_TOO_MANY_OPEN_FILES: return io_code::TooManyOpenFiles;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_WRITE_PROTECT: return io_code::AccessDenied;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return io_code::DiskFull;
    default: return err;
    }
}

void ThrowSystemError(int err, const std::string& path, Access access)
{
    throw IoError(IoCodeFromSystemError(err), path, err, access);
}

int DiskFullSystemError()
{
    return ERROR_DISK_FULL;
}

SystemFailure SystemFailureOf(int err)
{
    switch (static_cast<DWORD>(err)) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND: return SystemFailure::NotFound;
    case ERROR_DIRECTORY: return SystemFailure::NotAFolder;
    case ERROR_ACCESS_DENIED: return SystemFailure::Refused;
    case ERROR_WRITE_PROTECT: return SystemFailure::ReadOnlyFileSystem;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return SystemFailure::DiskFull;
    case ERROR_FILE_TOO_LARGE: return SystemFailure::TooLarge;
    case ERROR_TOO_MANY_OPEN_FILES: return SystemFailure::TooManyOpen;
    case ERROR_CRC:
    case ERROR_IO_DEVICE: return SystemFailure::DeviceFailed;
    case ERROR_CANT_RESOLVE_FILENAME: return SystemFailure::LinkLoop;
    case ERROR_FILENAME_EXCED_RANGE: return SystemFailure::NameTooLong;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION: return SystemFailure::InUse;
    default: return SystemFailure::Other;
    }
}

std::string SystemErrorText(int err)
{
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                            FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, static_cast<DWORD>(err), 0, reinterpret_cast<LPWSTR>(&text), 0,
                                        nullptr);
    std::wstring wide = length > 0 ? std::wstring(text, length) : L"error " + std::to_wstring(err);
    if (text != nullptr)
        LocalFree(text);
    // The system ends its texts with a full stop and a line break.
    while (!wide.empty() && (wide.back() == L'\n' || wide.back() == L'\r' || wide.back() == L' ' || wide.back() == L'.'))
        wide.pop_back();
    return Utf8FromWide(wide);
}

}  // namespace mw
