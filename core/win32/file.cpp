// The file layer on Windows: wide-character CreateFileW, ReadFile and
// WriteFile on handles that share reading, writing and deleting.
#include "core/file.h"

#include <algorithm>

#include "core/byte_progress.h"
#include "core/errors.h"
#include "core/file_faults.h"
#include "core/win32/native_file.h"
#include "core/win32/wide_text.h"

namespace mw {
namespace {

// ReadFile and WriteFile take a 32-bit count.
constexpr std::size_t kLargestCall = std::size_t{1} << 30;

HANDLE Handle(const File& file)
{
    return NativeFile::Handle(file);
}

[[noreturn]] void ThrowLastError(const std::string& name)
{
    ThrowSystemError(static_cast<int>(GetLastError()), name);
}

HANDLE OpenPath(const std::string& name, OpenMode mode)
{
    if (int err = faults::Check(faults::Call::Open))
        ThrowSystemError(err, name);
    const bool readOnly = mode == OpenMode::ReadOnly || mode == OpenMode::CopySource;
    const DWORD access = readOnly ? GENERIC_READ : GENERIC_READ | GENERIC_WRITE;
    const DWORD disposition = mode == OpenMode::Writing ? CREATE_ALWAYS : OPEN_EXISTING;
    // A folder does not open without FILE_FLAG_BACKUP_SEMANTICS: it is
    // refused with "access denied", as an open for writing is on POSIX.
    const HANDLE handle = CreateFileW(WidePath(name).c_str(), access, kShareAll, nullptr, disposition,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        ThrowLastError(name);
    return handle;
}

bool Attributes(const std::string& name, WIN32_FILE_ATTRIBUTE_DATA& data)
{
    if (name.empty()) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return false;
    }
    return GetFileAttributesExW(WidePath(name).c_str(), GetFileExInfoStandard, &data) != 0;
}

}  // namespace

File FolderForLookups(const std::string&)
{
    return File();  // Win32 opens no file by its name in an open folder
}

File OpenSourceIn(const File&, std::string_view, const std::string& path)
{
    return File(path, OpenMode::CopySource);
}

void File::CloseQuietly() noexcept
{
    if (IsOpen())
        CloseHandle(Handle(*this));
    handle_ = kNoHandle;
}

void File::Open(const std::string& name, OpenMode mode)
{
    CloseQuietly();
    handle_ = reinterpret_cast<std::intptr_t>(OpenPath(name, mode));
    name_ = name;
}

std::size_t File::ReadSome(void* buffer, std::size_t size)
{
    if (int err = faults::Check(faults::Call::Read))
        ThrowSystemError(err, name_);
    DWORD got = 0;
    if (!ReadFile(Handle(*this), buffer, static_cast<DWORD>(std::min(size, kLargestCall)), &got, nullptr)) {
        const DWORD err = GetLastError();
        if (err == ERROR_HANDLE_EOF || err == ERROR_BROKEN_PIPE)
            return 0;
        ThrowSystemError(static_cast<int>(err), name_);
    }
    return got;
}

void File::ReadFrom(void* buffer, std::size_t size, std::int64_t* offset)
{
    auto* at = static_cast<char*>(buffer);
    while (size > 0) {
        if (int err = faults::Check(faults::Call::Read))
            ThrowSystemError(err, name_);
        DWORD got = 0;
        OVERLAPPED where {};
        if (offset) {
            where.Offset = static_cast<DWORD>(*offset);
            where.OffsetHigh = static_cast<DWORD>(*offset >> 32);
        }
        const DWORD ask = static_cast<DWORD>(std::min(size, kLargestCall));
        if (!ReadFile(Handle(*this), at, ask, &got, offset ? &where : nullptr)) {
            const DWORD err = GetLastError();
            if (err != ERROR_HANDLE_EOF)
                ThrowSystemError(static_cast<int>(err), name_);
            got = 0;
        }
        if (got == 0)
            throw IoError(io_code::ShortRead, name_);
        at += got;
        size -= got;
        if (offset)
            *offset += got;
    }
}

void File::Write(const void* buffer, std::size_t size)
{
    const auto* at = static_cast<const char*>(buffer);
    while (size > 0) {
        if (int err = faults::Check(faults::Call::Write))
            ThrowSystemError(err, name_);
        DWORD put = 0;
        if (!WriteFile(Handle(*this), at, static_cast<DWORD>(std::min(size, kLargestCall)), &put, nullptr))
            ThrowLastError(name_);
        if (put == 0)
            throw IoError(io_code::ShortWrite, name_);
        at += put;
        size -= put;
    }
}

// Win32 has no copy of a byte range between two open files: the bytes go
// through memory.
void File::CopyFrom(File& source, std::int64_t sourceOffset, std::int64_t offset, std::int64_t size,
                    ByteProgress* progress)
{
    if (offset < 0 || sourceOffset < 0)
        throw IoError(io_code::NegativeSeek, name_);
    CopyThroughMemory(source, sourceOffset, offset, static_cast<std::size_t>(size), progress);
}

std::int64_t File::AppendFrom(File& source, std::int64_t limit, ByteProgress* progress)
{
    return AppendThroughMemory(source, 0, limit, progress);
}

bool File::EndsWithin(std::int64_t bytes) const
{
    LARGE_INTEGER position {}, size {};
    // What cannot be measured is copied and counted instead.
    if (GetFileType(Handle(*this)) != FILE_TYPE_DISK ||
        !SetFilePointerEx(Handle(*this), LARGE_INTEGER{}, &position, FILE_CURRENT) ||
        !GetFileSizeEx(Handle(*this), &size))
        return true;
    return size.QuadPart - position.QuadPart <= bytes;
}

void File::Seek(std::int64_t position)
{
    if (position < 0)
        throw IoError(io_code::NegativeSeek, name_);
    if (int err = faults::Check(faults::Call::Seek))
        ThrowSystemError(err, name_);
    LARGE_INTEGER to {};
    to.QuadPart = position;
    if (!SetFilePointerEx(Handle(*this), to, nullptr, FILE_BEGIN))
        ThrowLastError(name_);
}

std::int64_t File::Length() const
{
    LARGE_INTEGER size {};
    if (!GetFileSizeEx(Handle(*this), &size))
        ThrowLastError(name_);
    return size.QuadPart;
}

void File::Sync()
{
    if (int err = faults::Check(faults::Call::Sync))
        ThrowSystemError(err, name_);
    if (!FlushFileBuffers(Handle(*this)))
        ThrowLastError(name_);
}

void File::Close()
{
    if (!IsOpen())
        return;
    const HANDLE handle = Handle(*this);
    handle_ = kNoHandle;
    if (int err = faults::Check(faults::Call::Close)) {
        CloseHandle(handle);
        ThrowSystemError(err, name_);
    }
    if (!CloseHandle(handle))
        ThrowLastError(name_);
}

namespace {

// Updates lock one byte far past the end of any archive: a lock on the
// bytes themselves would be mandatory on Windows and refuse other readers,
// where this one only holds off the next update.
OVERLAPPED UpdateLockPlace()
{
    OVERLAPPED place {};
    place.OffsetHigh = 0x40000000;
    return place;
}

}  // namespace

File::LockTry File::TryLockForUpdate()
{
    OVERLAPPED place = UpdateLockPlace();
    if (LockFileEx(Handle(*this), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &place))
        return LockTry::Taken;
    const DWORD err = GetLastError();
    if (err == ERROR_LOCK_VIOLATION || err == ERROR_IO_PENDING)
        return LockTry::HeldElsewhere;
    // A redirector or file system that keeps no byte-range locks.
    if (err == ERROR_NOT_SUPPORTED || err == ERROR_INVALID_FUNCTION)
        return LockTry::NotKept;
    ThrowSystemError(static_cast<int>(err), name_);
}

void File::UnlockForUpdate() noexcept
{
    OVERLAPPED place = UpdateLockPlace();
    (void)UnlockFileEx(Handle(*this), 0, 1, 0, &place);
}

std::int64_t FileSize(const std::string& name)
{
    if (int err = faults::Check(faults::Call::Open))
        ThrowSystemError(err, name);
    WIN32_FILE_ATTRIBUTE_DATA data {};
    if (!Attributes(name, data))
        ThrowLastError(name);
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        throw IoError(io_code::AccessDenied, name, ERROR_ACCESS_DENIED);
    return (static_cast<std::int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

bool FileExists(const std::string& name)
{
    WIN32_FILE_ATTRIBUTE_DATA data {};
    return Attributes(name, data) && !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool FolderExists(const std::string& name)
{
    WIN32_FILE_ATTRIBUTE_DATA data {};
    return Attributes(name, data) && (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

// A device (NUL, CON, COM1) or a named pipe has another file type than a
// disk file; a folder is told by its attributes.
bool RegularFileExists(const std::string& name)
{
    if (!FileExists(name))
        return false;
    const HANDLE handle = CreateFileW(WidePath(name).c_str(), 0, kShareAll, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    const bool disk = GetFileType(handle) == FILE_TYPE_DISK;
    CloseHandle(handle);
    return disk;
}

int MakeFolder(const std::string& path)
{
    if (CreateDirectoryW(WidePath(path).c_str(), nullptr))
        return 0;
    const int err = static_cast<int>(GetLastError());
    return err == ERROR_ALREADY_EXISTS || err == ERROR_FILE_EXISTS ? 0 : err;
}

}  // namespace mw
