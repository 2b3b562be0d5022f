// Folders on Windows. Below an open folder every name is opened relative
// to its handle with NtCreateFile (Win32 itself opens only full paths) and
// FILE_OPEN_REPARSE_POINT, so that a symbolic link, junction or mount
// point is met as itself and never followed; and what was opened must be
// where its folder's path and its name say, for the links that show as
// no reparse point (Wine shows Linux symbolic links as plain folders and
// files). Folders are read with FindFirstFileExW.
#include "core/folder_access.h"

#include <windows.h>
#include <winternl.h>

#include <memory>

#include "core/errors.h"
#include "core/file_faults.h"
#include "core/file_stamp.h"
#include "core/path_helpers.h"
#include "core/win32/final_path.h"
#include "core/win32/native_file.h"
#include "core/win32/relative_open.h"
#include "core/win32/wide_text.h"
#include "core/windows_path_rules.h"

namespace mw {
namespace {

// What a name that is a reparse point gives where a folder or file was
// wanted: the caller then finds the link and says so.
constexpr int kReparsePointMet = ERROR_CANT_RESOLVE_FILENAME;

HANDLE Handle(const File& file)
{
    return NativeFile::Handle(file);
}

}  // namespace

int OpenRelative(const File& folder, const std::string& name, ACCESS_MASK access, ULONG disposition, ULONG options,
                 HANDLE& opened)
{
    std::wstring wide = WideFromUtf8(name);
    UNICODE_STRING text;
    text.Buffer = wide.data();
    text.Length = static_cast<USHORT>(wide.size() * sizeof(wchar_t));
    text.MaximumLength = text.Length;
    OBJECT_ATTRIBUTES attributes;
    InitializeObjectAttributes(&attributes, &text, OBJ_CASE_INSENSITIVE, Handle(folder), nullptr);
    IO_STATUS_BLOCK status {};
    const NTSTATUS result =
        NtCreateFile(&opened, access | SYNCHRONIZE, &attributes, &status, nullptr, FILE_ATTRIBUTE_NORMAL, kShareAll,
                     disposition, options | FILE_SYNCHRONOUS_IO_NONALERT | FILE_OPEN_REPARSE_POINT, nullptr, 0);
    if (result < 0) {
        opened = INVALID_HANDLE_VALUE;
        return static_cast<int>(RtlNtStatusToDosError(result));
    }
    return 0;
}

namespace {

bool Information(HANDLE handle, BY_HANDLE_FILE_INFORMATION& information)
{
    return GetFileInformationByHandle(handle, &information) != 0;
}

FileIdentity IdentityOf(const BY_HANDLE_FILE_INFORMATION& information)
{
    return {information.dwVolumeSerialNumber,
            (static_cast<std::uint64_t>(information.nFileIndexHigh) << 32) | information.nFileIndexLow};
}

// Whether what was opened at name in folder is there: its final path is
// the folder's joined with the name, in any case.
bool LeadsWhereNamed(const File& folder, const std::string& name, HANDLE opened)
{
    const std::optional<std::wstring> folderPath = ObjectPathOf(Handle(folder));
    const std::optional<std::wstring> openedPath = ObjectPathOf(opened);
    return folderPath && openedPath &&
           SameWindowsPath(Utf8FromWide(*folderPath) + kNativeSeparator + name, Utf8FromWide(*openedPath));
}

}  // namespace

int RefuseLink(const File& folder, const std::string& name, HANDLE& handle)
{
    BY_HANDLE_FILE_INFORMATION information {};
    if (!Information(handle, information)) {
        const int err = static_cast<int>(GetLastError());
        CloseHandle(handle);
        return err;
    }
    if ((information.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) || !LeadsWhereNamed(folder, name, handle)) {
        CloseHandle(handle);
        return kReparsePointMet;
    }
    return 0;
}

namespace {

// Whether the failed open of a folder to list says that no folder is there:
// a name no file can have, or a drive, server or share that does not
// exist, names none either.
bool NamesNoFolder(int err)
{
    return IsMissingError(err) || err == ERROR_INVALID_NAME || err == ERROR_INVALID_DRIVE || err == ERROR_BAD_NETPATH ||
           err == ERROR_BAD_NET_NAME;
}

HANDLE OpenFolderHandle(const std::string& path)
{
    return CreateFileW(WidePath(path).c_str(), FILE_LIST_DIRECTORY | FILE_TRAVERSE | FILE_READ_ATTRIBUTES, kShareAll,
                       nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

}  // namespace

FileIdentity IdentityOf(const File& file)
{
    BY_HANDLE_FILE_INFORMATION information {};
    if (!Information(Handle(file), information))
        ThrowSystemError(static_cast<int>(GetLastError()), file.Name());
    return IdentityOf(information);
}

namespace {

// FILETIME counts 100-nanosecond ticks.
constexpr std::int64_t kTicksPerSecond = 10'000'000;

}  // namespace

FileStamp StampOf(const File& file)
{
    BY_HANDLE_FILE_INFORMATION information {};
    if (!Information(Handle(file), information))
        ThrowSystemError(static_cast<int>(GetLastError()), file.Name());
    const std::int64_t size = (static_cast<std::int64_t>(information.nFileSizeHigh) << 32) | information.nFileSizeLow;
    const std::int64_t ticks = (static_cast<std::int64_t>(information.ftLastWriteTime.dwHighDateTime) << 32) |
                               information.ftLastWriteTime.dwLowDateTime;
    return {size, ticks / kTicksPerSecond, ticks % kTicksPerSecond * 100};
}

void SetModifiedTime(File& file, const FileStamp& stamp)
{
    const std::int64_t ticks = stamp.modifiedSeconds * kTicksPerSecond + stamp.modifiedNanoseconds / 100;
    FILETIME time {static_cast<DWORD>(ticks & 0xFFFFFFFF), static_cast<DWORD>(ticks >> 32)};
    if (!SetFileTime(Handle(file), nullptr, nullptr, &time))
        ThrowSystemError(static_cast<int>(GetLastError()), file.Name());
}

FolderEntry EntryIn(const File& folder, const std::string& name, const std::string& path)
{
    HANDLE handle;
    if (const int err = OpenRelative(folder, name, FILE_READ_ATTRIBUTES, FILE_OPEN, 0, handle)) {
        if (IsMissingError(err))
            return {};
        ThrowSystemError(err, path);
    }
    BY_HANDLE_FILE_INFORMATION information {};
    const bool known = Information(handle, information);
    const int err = known ? 0 : static_cast<int>(GetLastError());
    CloseHandle(handle);
    if (!known)
        ThrowSystemError(err, path);
    EntryKind kind = EntryKind::File;
    if (information.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)
        kind = EntryKind::Link;
    else if (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        kind = EntryKind::Folder;
    return {kind, IdentityOf(information)};
}

int OpenFolderIn(const File& folder, const std::string& name, File& opened)
{
    HANDLE handle;
    if (const int err = OpenRelative(folder, name, FILE_LIST_DIRECTORY | FILE_TRAVERSE | FILE_READ_ATTRIBUTES,
                                     FILE_OPEN, FILE_DIRECTORY_FILE | FILE_OPEN_FOR_BACKUP_INTENT, handle))
        return err;
    if (const int err = RefuseLink(folder, name, handle))
        return err;
    opened = NativeFile::Adopt(handle, folder.Name() + kNativeSeparator + name);
    return 0;
}

int MakeFolderIn(const File& folder, const std::string& name)
{
    HANDLE handle;
    const int err = OpenRelative(folder, name, FILE_LIST_DIRECTORY, FILE_CREATE, FILE_DIRECTORY_FILE, handle);
    if (err == 0)
        CloseHandle(handle);
    return err == ERROR_ALREADY_EXISTS || err == ERROR_FILE_EXISTS ? 0 : err;
}

int CreateFileIn(const File& folder, const std::string& name, const std::string& path, File& created)
{
    // Made new where nothing stands: made so, a file is at the name itself,
    // for the system creates nothing through a link there. Else opened, and
    // truncated only once it is known to be no link: an overwrite would act
    // on whatever stands at the name. A name that can be neither made nor
    // opened is a link that leads nowhere (Wine would create its target).
    constexpr ACCESS_MASK kAccess = GENERIC_READ | GENERIC_WRITE;
    HANDLE handle;
    int err = OpenRelative(folder, name, kAccess, FILE_CREATE, FILE_NON_DIRECTORY_FILE, handle);
    if (err == ERROR_FILE_EXISTS || err == ERROR_ALREADY_EXISTS) {
        err = OpenRelative(folder, name, kAccess, FILE_OPEN, FILE_NON_DIRECTORY_FILE, handle);
        if (IsMissingError(err))
            err = kReparsePointMet;
        if (err == 0)
            err = RefuseLink(folder, name, handle);
        FILE_END_OF_FILE_INFO end {};
        if (err == 0 && !SetFileInformationByHandle(handle, FileEndOfFileInfo, &end, sizeof end)) {
            err = static_cast<int>(GetLastError());
            CloseHandle(handle);
        }
    }
    if (err != 0)
        return err;
    created = NativeFile::Adopt(handle, path);
    return 0;
}

int OpenFolderByPath(const std::string& path, File& opened)
{
    const HANDLE handle = OpenFolderHandle(path);
    if (handle == INVALID_HANDLE_VALUE)
        return static_cast<int>(GetLastError());
    BY_HANDLE_FILE_INFORMATION information {};
    if (!Information(handle, information) || !(information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        CloseHandle(handle);
        return ERROR_DIRECTORY;
    }
    opened = NativeFile::Adopt(handle, path);
    return 0;
}

File DuplicateOf(const File& file)
{
    HANDLE copy;
    const HANDLE process = GetCurrentProcess();
    if (!DuplicateHandle(process, Handle(file), process, &copy, 0, FALSE, DUPLICATE_SAME_ACCESS))
        ThrowSystemError(static_cast<int>(GetLastError()), file.Name());
    return NativeFile::Adopt(copy, file.Name());
}

bool IsMissingError(int code)
{
    return code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND || code == ERROR_DIRECTORY;
}

int PathNotFoundCode()
{
    return ERROR_PATH_NOT_FOUND;
}

bool IsLinkMetError(int code)
{
    return code == kReparsePointMet;
}

bool ListFolder(const std::string& path, FileIdentity& identity, const std::function<void(const ListedName&)>& found)
{
    // Named without the separator the listing puts after it.
    const std::string named = path.size() > 1 ? path.substr(0, path.size() - 1) : path;
    const int fault = faults::Check(faults::Call::List);
    const HANDLE folder = fault == 0 ? OpenFolderHandle(path) : INVALID_HANDLE_VALUE;
    if (folder == INVALID_HANDLE_VALUE) {
        const int err = fault != 0 ? fault : static_cast<int>(GetLastError());
        if (NamesNoFolder(err))
            return false;
        ThrowSystemError(err, named, Access::Read);
    }
    BY_HANDLE_FILE_INFORMATION information {};
    const bool known = Information(folder, information);
    const int err = known ? 0 : static_cast<int>(GetLastError());
    CloseHandle(folder);
    if (!known)
        ThrowSystemError(err, named, Access::Read);
    if (!(information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    identity = IdentityOf(information);

    WIN32_FIND_DATAW entry;
    const HANDLE search = FindFirstFileExW((WidePath(path) + L"*").c_str(), FindExInfoBasic, &entry,
                                           FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (search == INVALID_HANDLE_VALUE) {
        if (const int failed = static_cast<int>(GetLastError()); failed != ERROR_FILE_NOT_FOUND)
            ThrowSystemError(failed, named, Access::Read);
        return true;  // nothing in it
    }
    const std::unique_ptr<void, decltype(&FindClose)> searching(search, FindClose);
    do {
        const std::wstring_view name = entry.cFileName;
        if (name == L"." || name == L"..")
            continue;
        // A link to a folder is listed as the folder it leads to, as on
        // POSIX. Any name may be a link: Wine shows a Linux link as the
        // folder or file it leads to, with no mark of its own.
        const std::string utf8 = Utf8FromWide(name);
        found({utf8, (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? EntryKind::Folder : EntryKind::File, true});
    } while (FindNextFileW(search, &entry));
    if (const int failed = static_cast<int>(GetLastError()); failed != ERROR_NO_MORE_FILES)
        ThrowSystemError(failed, named, Access::Read);
    return true;
}

}  // namespace mw
