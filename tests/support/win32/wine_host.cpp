// Wine's ntdll lends its own calls for this: the Linux name of a path, and
// starting a Linux program.
#include "tests/support/wine_host.h"

#include <windows.h>
#include <winternl.h>

#include "core/win32/wide_text.h"

namespace mw::test {
namespace {

using ToUnixName = NTSTATUS(CDECL*)(const OBJECT_ATTRIBUTES*, char*, ULONG*, UINT);
using SpawnUnix = NTSTATUS(CDECL*)(char* const argv[], int wait);

template <typename Call>
Call WineCall(const char* name)
{
    return reinterpret_cast<Call>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), name)));
}

}  // namespace

std::optional<std::string> HostPath(const std::string& windowsPath)
{
    const auto toUnix = WineCall<ToUnixName>("wine_nt_to_unix_file_name");
    if (toUnix == nullptr)
        return std::nullopt;
    std::wstring wide = WidePath(windowsPath);
    wide.replace(0, 4, LR"(\??\)");
    UNICODE_STRING text{static_cast<USHORT>(wide.size() * sizeof(wchar_t)),
                        static_cast<USHORT>(wide.size() * sizeof(wchar_t)), wide.data()};
    OBJECT_ATTRIBUTES attributes;
    InitializeObjectAttributes(&attributes, &text, OBJ_CASE_INSENSITIVE, nullptr, nullptr);
    std::string unix(4096, '\0');
    ULONG size = static_cast<ULONG>(unix.size());
    // FILE_OPEN_IF: the last level need not exist yet, which Wine tells
    // with STATUS_NO_SUCH_FILE, its name given all the same.
    constexpr NTSTATUS kNoSuchFile = static_cast<NTSTATUS>(0xC000000F);
    const NTSTATUS status = toUnix(&attributes, unix.data(), &size, FILE_OPEN_IF);
    if (status < 0 && status != kNoSuchFile)
        return std::nullopt;
    unix.resize(unix.find('\0'));
    return unix;
}

bool RunOnHost(const std::vector<std::string>& arguments)
{
    const auto spawn = WineCall<SpawnUnix>("__wine_unix_spawnvp");
    if (spawn == nullptr)
        return false;
    std::vector<std::string> copies = arguments;
    std::vector<char*> argv;
    for (std::string& argument : copies)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    return spawn(argv.data(), 1) >= 0;
}

bool MakeLink(const std::string& link, const std::string& target, bool folder)
{
    const std::wstring wide = WidePath(link);
    // Wine 8 answers that it made the link and makes nothing.
    CreateSymbolicLinkW(wide.c_str(), WidePath(target).c_str(),
                        (folder ? SYMBOLIC_LINK_FLAG_DIRECTORY : 0) | SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE);
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT))
        return true;
    const std::optional<std::string> hostLink = HostPath(link);
    const std::optional<std::string> hostTarget = HostPath(target);
    return hostLink && hostTarget && RunOnHost({"ln", "-s", *hostTarget, *hostLink});
}

std::string PrefixFolder()
{
    wchar_t windows[MAX_PATH];
    const UINT length = GetWindowsDirectoryW(windows, MAX_PATH);
    return Utf8FromWide(std::wstring_view(windows, length)) + "\\temp";
}

}  // namespace mw::test
