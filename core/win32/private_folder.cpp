// The private folder on Windows: names in it opened relative to its handle
// (core/win32/relative_open.h), listed from that handle, renamed and
// removed through handles of their own. Files and folders made here inherit
// the rights of the folder they are made in.
#include "core/private_folder.h"

#include <windows.h>
#include <winternl.h>

#include <cstring>
#include <vector>

#include "core/errors.h"
#include "core/file_faults.h"
#include "core/win32/native_file.h"
#include "core/win32/relative_open.h"
#include "core/win32/wide_text.h"

namespace mw {
namespace {

EntryKind KindOf(DWORD attributes)
{
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT)
        return EntryKind::Link;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        return EntryKind::Folder;
    return EntryKind::File;
}

}  // namespace

void PrivateFolder::NarrowToUser(const File&) noexcept {}

int PrivateFolder::LinkMetError() noexcept
{
    return ERROR_CANT_RESOLVE_FILENAME;
}

std::vector<PrivateFolder::Entry> PrivateFolder::Entries() const
{
    std::vector<Entry> entries;
    std::vector<std::uint64_t> buffer(8192);  // 64 KiB, aligned for the records in it
    const auto bytes = static_cast<DWORD>(buffer.size() * sizeof buffer[0]);
    FILE_INFO_BY_HANDLE_CLASS kind = FileIdBothDirectoryRestartInfo;
    while (GetFileInformationByHandleEx(NativeFile::Handle(folder_), kind, buffer.data(), bytes)) {
        kind = FileIdBothDirectoryInfo;
        const auto* at = reinterpret_cast<const char*>(buffer.data());
        for (;;) {
            const auto* info = reinterpret_cast<const FILE_ID_BOTH_DIR_INFO*>(at);
            const std::wstring_view name(info->FileName, info->FileNameLength / sizeof(wchar_t));
            if (name != L"." && name != L"..")
                entries.push_back({Utf8FromWide(name), KindOf(info->FileAttributes),
                                   info->EndOfFile.QuadPart});
            if (info->NextEntryOffset == 0)
                break;
            at += info->NextEntryOffset;
        }
    }
    return entries;
}

File PrivateFolder::OpenToRead(const std::string& name) const
{
    const std::string path = PathOf(name);
    HANDLE handle;
    int err = OpenRelative(folder_, name, GENERIC_READ, FILE_OPEN, FILE_NON_DIRECTORY_FILE, handle);
    if (err == 0)
        err = RefuseLink(folder_, name, handle);
    if (err != 0)
        ThrowSystemError(err, path, Access::Read);
    return NativeFile::Adopt(handle, path);
}

File PrivateFolder::Create(const std::string& name) const
{
    Remove(name);
    const std::string path = PathOf(name);
    File created;
    if (const int err = CreateFileIn(folder_, name, path, created))
        ThrowSystemError(err, path, Access::Write);
    return created;
}

namespace {

// Gives the open file the name in folder, as a new name (rename) or one
// more (link): the name relative to the folder's handle, which the NT call
// takes (SetFileInformationByHandle does not under Wine). The Win32 error
// code, 0 on success.
int NameRelative(HANDLE file, const File& folder, const std::string& name, BOOLEAN replace,
                 FILE_INFORMATION_CLASS kind)
{
    // The link information has the rename information's layout.
    const std::wstring wide = WideFromUtf8(name);
    std::vector<std::uint64_t> bytes((sizeof(FILE_RENAME_INFORMATION) + wide.size() * sizeof(wchar_t)) / 8 + 1);
    auto* info = reinterpret_cast<FILE_RENAME_INFORMATION*>(bytes.data());
    info->ReplaceIfExists = replace;
    info->RootDirectory = NativeFile::Handle(folder);
    info->FileNameLength = static_cast<ULONG>(wide.size() * sizeof(wchar_t));
    std::memcpy(info->FileName, wide.data(), info->FileNameLength);
    IO_STATUS_BLOCK status {};
    const NTSTATUS result = NtSetInformationFile(file, &status, info, static_cast<ULONG>(bytes.size() * 8), kind);
    return result < 0 ? static_cast<int>(RtlNtStatusToDosError(result)) : 0;
}

// FileLinkInformation, which the SDK's header leaves out of its list.
constexpr auto kFileLinkInformation = static_cast<FILE_INFORMATION_CLASS>(11);

}  // namespace

File PrivateFolder::OpenLockFile(const std::string& name) const
{
    // The lock is on a byte past the end: emptying the file changes nothing
    // for those who hold it.
    const std::string path = PathOf(name);
    File opened;
    if (const int err = CreateFileIn(folder_, name, path, opened))
        ThrowSystemError(err, path, Access::Write);
    return opened;
}

void PrivateFolder::Rename(const std::string& from, const std::string& to) const
{
    int err = faults::Check(faults::Call::Rename);
    HANDLE handle = INVALID_HANDLE_VALUE;
    if (err == 0)
        err = OpenRelative(folder_, from, DELETE, FILE_OPEN, FILE_NON_DIRECTORY_FILE, handle);
    if (err == 0) {
        err = NameRelative(handle, folder_, to, TRUE, FileRenameInformation);
        CloseHandle(handle);
    }
    if (err != 0)
        ThrowSystemError(err, PathOf(to));
}

bool PrivateFolder::LinkTo(const File& file, const std::string& name) const noexcept
{
    try {
        return NameRelative(NativeFile::Handle(file), folder_, name, FALSE, kFileLinkInformation) == 0;
    } catch (const std::exception&) {
        return false;  // out of memory for the name: the caller copies
    }
}

void PrivateFolder::Remove(const std::string& name) const noexcept
{
    // A link the system shows as a plain file (a Linux link seen through
    // Wine) stays where it is: deleting it on close takes the file it leads
    // to with it. What is made at its name then fails, naming it.
    HANDLE handle;
    if (OpenRelative(folder_, name, FILE_READ_ATTRIBUTES, FILE_OPEN, FILE_NON_DIRECTORY_FILE, handle) != 0 ||
        RefuseLink(folder_, name, handle) != 0)
        return;
    CloseHandle(handle);
    if (OpenRelative(folder_, name, DELETE, FILE_OPEN, FILE_NON_DIRECTORY_FILE | FILE_DELETE_ON_CLOSE, handle) == 0)
        CloseHandle(handle);
}

}  // namespace mw
