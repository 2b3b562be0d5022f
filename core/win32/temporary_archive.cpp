// The temporary archive on Windows: a file beside the target marked to be
// deleted when its handle closes, so that a process killed at any moment
// leaves nothing; at the commit the mark is cleared and ReplaceFileW puts
// it in the target's place, keeping the target's attributes and security,
// the old archive kept under a backup name of our own until the new one is
// in place (MoveFileExW for a new archive, and over the old one where
// another file answers to its name in another case).
#include "core/temporary_archive.h"

#include <windows.h>

#include <optional>

#include "core/archive_lock.h"
#include "core/errors.h"
#include "core/file_faults.h"
#include "core/file_identity.h"
#include "core/text.h"
#include "core/win32/final_path.h"
#include "core/win32/native_file.h"
#include "core/win32/removal_on_console_close.h"
#include "core/win32/wide_text.h"

namespace mw {
namespace {

// The folder part of a path, its last separator included.
std::wstring FolderOf(const std::wstring& path)
{
    return path.substr(0, path.rfind(L'\\') + 1);
}

// The identity of the file a name leads to now, or nothing.
std::optional<FileIdentity> IdentityAt(const std::wstring& path)
{
    const HANDLE handle = CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return std::nullopt;
    try {
        return IdentityOf(NativeFile::Adopt(handle));
    } catch (const IoError&) {
        return std::nullopt;
    }
}

// Whether another name in the folder differs from the file's own only in
// case, as a Linux folder seen through Wine can hold: Wine then finds
// that other file by the name as soon as the name itself is free.
bool NameHasCaseTwin(const std::wstring& path)
{
    // A wildcard for the last character makes the system read the folder;
    // the name alone would be looked up, and found once.
    std::wstring pattern = path;
    pattern.back() = L'?';
    WIN32_FIND_DATAW entry;
    const HANDLE search =
        FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &entry, FindExSearchNameMatch, nullptr, 0);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    const std::wstring name = path.substr(path.rfind(L'\\') + 1);
    int matches = 0;
    do {
        if (CompareStringOrdinal(entry.cFileName, -1, name.c_str(), static_cast<int>(name.size()), TRUE) == CSTR_EQUAL)
            ++matches;
    } while (FindNextFileW(search, &entry));
    FindClose(search);
    return matches > 1;
}

// A path as messages show it: without the long-path prefix.
std::string ShownPath(const std::wstring& path)
{
    const std::string text = Utf8FromWide(path);
    if (text.starts_with(R"(\\?\UNC\)"))
        return R"(\\)" + text.substr(8);
    return text.starts_with(R"(\\?\)") ? text.substr(4) : text;
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
    void ReplaceKeepingOld();
    void RenameOverOld();
    void FailUnlessInPlace(int err);
    [[noreturn]] void Fail(int err);
    void Release() noexcept;

    std::string fileName_;     // the archive's path as given, which errors name
    const ArchiveLock* lock_;
    File target_;              // the archive replaced, open while it exists
    FileIdentity oldIdentity_;  // target_'s, which stays its own under any name
    FileIdentity newIdentity_;  // the temporary file's
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
    oldIdentity_ = IdentityOf(target_);
    targetPath_ = FinalPathOf(handle).value_or(targetPath_);
}

void TemporaryArchive::Place::OpenTemporary()
{
    const std::wstring folder = FolderOf(targetPath_);
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
    newIdentity_ = IdentityOf(file_);
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
    if (const int err = faults::Check(faults::Call::Rename))
        Fail(err);
    if (!target_.IsOpen()) {
        if (!MoveFileExW(path_.c_str(), targetPath_.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            FailUnlessInPlace(static_cast<int>(GetLastError()));
    } else if (NameHasCaseTwin(targetPath_)) {
        RenameOverOld();
    } else {
        ReplaceKeepingOld();
    }
}

// ReplaceFileW keeps the target's attributes and security. Given a backup
// name of our own, it moves the old archive there rather than deleting it
// first (Wine's deletes it when given none, and then loses it when the
// new one cannot take the name), and needs no name of its own making
// (which Wine's cannot make in a folder deeper than MAX_PATH - 14
// characters). The old archive goes only once the new one is in place;
// on a failure it is put back, or, when its name is taken meanwhile, kept
// under the backup name, which the error gives.
void TemporaryArchive::Place::ReplaceKeepingOld()
{
    const std::wstring backup = FolderOf(targetPath_) + WideFromUtf8(NewName());
    if (ReplaceFileW(targetPath_.c_str(), path_.c_str(), backup.c_str(),
                     REPLACEFILE_IGNORE_MERGE_ERRORS | REPLACEFILE_IGNORE_ACL_ERRORS, nullptr, nullptr)) {
        DeleteFileW(backup.c_str());
        return;
    }
    const int err = static_cast<int>(GetLastError());
    // What is on disk decides, whatever the code says.
    const std::optional<FileIdentity> atName = IdentityAt(targetPath_);
    const bool oldAside = IdentityAt(backup) == oldIdentity_;
    if (atName == newIdentity_) {
        if (oldAside)
            DeleteFileW(backup.c_str());
        return;
    }
    if (oldAside && atName != oldIdentity_) {
        if (!atName)
            MoveFileExW(backup.c_str(), targetPath_.c_str(), MOVEFILE_WRITE_THROUGH);
        if (IdentityAt(targetPath_) != oldIdentity_) {
            Release();
            throw AppError(kWadKeptAsPrefix + PrintableText(ShownPath(backup)), fileName_, err);
        }
    }
    Fail(err);
}

// Where another file answers to the name in another case, the name is
// never let go: the new archive takes it in one rename over the old one,
// which Wine allows only once no handle holds the old one open. The lock
// ends with its handle a moment early; an update that takes it meanwhile
// finds the archive replaced and refuses to put its own in place.
void TemporaryArchive::Place::RenameOverOld()
{
    target_ = File();
    if (lock_ != nullptr)
        lock_->archive()->Close();
    if (!MoveFileExW(path_.c_str(), targetPath_.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        FailUnlessInPlace(static_cast<int>(GetLastError()));
}

// A rename that reported a failure may still have put the new archive in
// place; only when it did not is the failure raised.
void TemporaryArchive::Place::FailUnlessInPlace(int err)
{
    if (IdentityAt(targetPath_) != newIdentity_)
        Fail(err);
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
