#include "core/win32/final_path.h"

#include <winternl.h>

#include <algorithm>
#include <vector>

namespace mw {

std::optional<std::wstring> FinalPathOf(HANDLE handle)
{
    constexpr DWORD kFlags = FILE_NAME_NORMALIZED | VOLUME_NAME_DOS;
    const DWORD size = GetFinalPathNameByHandleW(handle, nullptr, 0, kFlags);
    if (size == 0)
        return std::nullopt;
    std::wstring path(size, L'\0');
    const DWORD length = GetFinalPathNameByHandleW(handle, path.data(), size, kFlags);
    if (length == 0 || length >= size)
        return std::nullopt;
    path.resize(length);
    return path;
}

std::optional<std::wstring> ObjectPathOf(HANDLE handle)
{
    constexpr auto kObjectNameInformation = static_cast<OBJECT_INFORMATION_CLASS>(1);
    constexpr auto kInfoLengthMismatch = static_cast<NTSTATUS>(0xC0000004);
    constexpr auto kBufferOverflow = static_cast<NTSTATUS>(0x80000005);
    std::vector<unsigned char> buffer(1024);
    for (;;) {
        ULONG needed = 0;
        const NTSTATUS status = NtQueryObject(handle, kObjectNameInformation, buffer.data(),
                                              static_cast<ULONG>(buffer.size()), &needed);
        if (status == kInfoLengthMismatch || status == kBufferOverflow) {
            if (buffer.size() >= 0x20000)
                return std::nullopt;
            buffer.resize(std::max<std::size_t>(needed, buffer.size() * 2));
            continue;
        }
        if (status < 0)
            return std::nullopt;
        const auto* name = reinterpret_cast<const UNICODE_STRING*>(buffer.data());
        return std::wstring(name->Buffer, name->Length / sizeof(wchar_t));
    }
}

}  // namespace mw
