// The temporary archive on Windows: a file beside the target marked to be
// deleted when its handle closes, so that a process killed at any moment
// leaves nothing; at the commit the mark is cleared and ReplaceFileW puts
// it in the target's place, keeping the target's attributes and security
// (MoveFileExW for a new archive; in a folder too deep for ReplaceFileW, the
// same two renames it makes, with a backup name of our own).
#include "core/temporary_archive.h"

#include <windows.h>

#include "core/archive_lock.h"
#include "core/errors.h"
#include "core/file_faults.h"
#include "core/file_identity.h"
#include "core/win32/native_file.h"
#include "core/win32/removal_on_console_close.h"
#include "core/win32/wide_text.h"

namespace mw {
namespace {

// The archive's path with every link resolved, as the system reached it.
std::wstring FinalPath(HANDLE handle, std::wstring fallback)
{
    const DWORD size = GetFinalPathNameByHandleW(handle, nullptr, 0, FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (size == 0)
        return fallback;
    std::wstring path(size, L'\0');
    const DWORD length = GetFinalPathNameByHandleW(handle, path.data(), size, FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (length == 0 || length >= size)
        return fallback;
    path.resize(length);
    return path;
}

// ReplaceFileW names its backup with GetTempFileNameW, which takes folders
// of at most MAX_PATH - 14 characters: past that, Wine's makes a broken name
// and the replace fails.
bool ReplaceableInPlace(const std::wstring& target)
{
    std::wstring_view path = target;
    if (path.starts_with(LR"(\\?\)"))
        path.remove_prefix(4);
    const std::size_t folderLength = path.rfind(L'\\');
    return folderLength != std::wstring_view::npos && folderLength < MAX_PATH - 14;
}

bool MarkForDeletion(HANDLE handle, bool deleted)
{
    FILE_DISPOSITION_INFO disposition {};
    disposition.DeleteFile = deleted ? TRUE : FALSE;
    return SetFileInformationByHandle(handle, FileDispositionInfo, &disposition, sizeof disposition) != 0;
}

}  // namespace

class TemporaryArchive::Place {
public:
    Place(const std::string& fileName, const ArchiveLock* lock);
    Place(const Place&) = delete;
    Place& operator=(const Place&) = delete;
    ~Place() { Release(); }

    File& file() { return file_; }
    void Commit();

private:
    void OpenTarget();
    void OpenTemporary();
    void CheckSameTarget();
    void PutInPlace();
    int ReplaceByRenames();
    [[noreturn]] void Fail(int err);
    void Release() noexcept;

    std::string fileName_;     // the archive's path as given, which errors name
    const ArchiveLock* lock_;
    File target_;              // the archive replaced, open while it exists
    std::wstring targetPath_;  // the path it is reached by, links resolved
    std::wstring path_;        // the temporary file's
    bool named_ = false;       // its deletion mark is cleared: it must be removed by name
    File file_;
};

TemporaryArchive::Place::Place(const std::string& fileName, const ArchiveLock* lock)
    : fileName_(fileName), lock_(lock)
{
    OpenTarget();
    OpenTemporary();
}

void TemporaryArchive::Place::OpenTarget()
{
    targetPath_ = WidePath(fileName_);
    // Opening for writing refuses an archive that cannot be written before
    // anything is written.
    const HANDLE handle = CreateFileW(targetPath_.c_str(), GENERIC_READ | GENERIC_WRITE, kShareAll, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD err = GetLastError();
        if (err != ERROR_FILE_NOT_FOUND)
            ThrowSystemError(static_cast<int>(err), fileName_);
        return;
    }
    target_ = NativeFile::Adopt(handle, fileName_);
    // A device or a pipe at the path is not an archive to replace.
    if (GetFileType(handle) != FILE_TYPE_DISK)
        RefuseNotRegular(fileName_);
    targetPath_ = FinalPath(handle, targetPath_);
}

void TemporaryArchive::Place::OpenTemporary()
{
    const std::wstring folder = targetPath_.substr(0, targetPath_.rfind(L'\\') + 1);
    for (int attempt = 0;; ++attempt) {
        path_ = folder + WideFromUtf8(NewName());
        int err = faults::Check(faults::Call::Open);
        HANDLE handle = INVALID_HANDLE_VALUE;
        if (err == 0) {
            handle = CreateFileW(path_.c_str(), GENERIC_READ | GENERIC_WRITE | DELETE, kShareAll, nullptr,
                                 CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
            err = handle == INVALID_HANDLE_VALUE ? static_cast<int>(GetLastError()) : 0;
        }
        if (err == 0) {
            file_ = NativeFile::Adopt(handle, fileName_);
            break;
        }
        if (err != ERROR_FILE_EXISTS || attempt == 16)
            ThrowSystemError(err, fileName_);
    }
    if (!MarkForDeletion(NativeFile::Handle(file_), true)) {
        named_ = true;
        Fail(static_cast<int>(GetLastError()));
    }
}

void TemporaryArchive::Place::Commit()
{
    file_.Sync();
    // A file marked for deletion cannot be renamed: from here until it is
    // in place, a console event removes it by name instead.
    ArmRemovalOnConsoleClose(path_);
    named_ = true;
    if (!MarkForDeletion(NativeFile::Handle(file_), false))
        Fail(static_cast<int>(GetLastError()));
    file_.Close();
    CheckSameTarget();
    PutInPlace();
    DisarmRemovalOnConsoleClose();
    named_ = false;
}

// The name must still lead to the file opened as the target, or the
// replace would put the archive in place of another one.
void TemporaryArchive::Place::CheckSameTarget()
{
    if (!target_.IsOpen())
        return;
    const HANDLE named = CreateFileW(targetPath_.c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                                     FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (named == INVALID_HANDLE_VALUE)
        Fail(static_cast<int>(GetLastError()));
    const File namedFile = NativeFile::Adopt(named, fileName_);
    if (IdentityOf(namedFile) != IdentityOf(target_))
        Fail(ERROR_FILE_INVALID);
    // Another program may have rewritten the locked archive since it was
    // loaded: its file is kept rather than overwritten.
    if (lock_ != nullptr && !lock_->StillDescribes(namedFile)) {
        Release();
        RefuseChanged(fileName_);
    }
}

void TemporaryArchive::Place::PutInPlace()
{
    int err = faults::Check(faults::Call::Rename);
    if (err == 0) {
        if (!target_.IsOpen())
            err = MoveFileExW(path_.c_str(), targetPath_.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
                      ? 0
                      : static_cast<int>(GetLastError());
        else if (!ReplaceableInPlace(targetPath_))
            err = ReplaceByRenames();
        else if (!ReplaceFileW(targetPath_.c_str(), path_.c_str(), nullptr,
                               REPLACEFILE_IGNORE_MERGE_ERRORS | REPLACEFILE_IGNORE_ACL_ERRORS, nullptr, nullptr))
            err = static_cast<int>(GetLastError());
    }
    if (err != 0)
        Fail(err);
}

// The open archive is renamed aside (its handles share deletion), the new
// one takes its name, and the old one goes; a failed second rename puts
// the old one back.
int TemporaryArchive::Place::ReplaceByRenames()
{
    const std::wstring folder = targetPath_.substr(0, targetPath_.rfind(L'\\') + 1);
    const std::wstring aside = folder + WideFromUtf8(NewName());
    if (!MoveFileExW(targetPath_.c_str(), aside.c_str(), MOVEFILE_WRITE_THROUGH))
        return static_cast<int>(GetLastError());
    if (!MoveFileExW(path_.c_str(), targetPath_.c_str(), MOVEFILE_WRITE_THROUGH)) {
        const int err = static_cast<int>(GetLastError());
        MoveFileExW(aside.c_str(), targetPath_.c_str(), MOVEFILE_WRITE_THROUGH);
        return err;
    }
    DeleteFileW(aside.c_str());
    return 0;
}

void TemporaryArchive::Place::Fail(int err)
{
    Release();
    ThrowSystemError(err, fileName_);
}

void TemporaryArchive::Place::Release() noexcept
{
    // Closing removes a file still marked for deletion.
    if (file_.IsOpen())
        file_ = File();
    if (named_)
        DeleteFileW(path_.c_str());
    named_ = false;
    DisarmRemovalOnConsoleClose();
    target_ = File();
}

TemporaryArchive::TemporaryArchive(const std::string& fileName, const ArchiveLock* lock)
    : place_(std::make_unique<Place>(fileName, lock))
{
}

TemporaryArchive::~TemporaryArchive() = default;

File& TemporaryArchive::file()
{
    return place_->file();
}

void TemporaryArchive::Commit()
{
    place_->Commit();
}

}  // namespace mw
