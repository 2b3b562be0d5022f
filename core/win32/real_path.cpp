// Real paths on Windows: the final path of a handle opened through the
// path, which is where every reparse point on the way leads (and where a
// Linux link leads under Wine, which shows none of them as such).
#include "core/real_path.h"

#include <windows.h>

#include "core/win32/native_file.h"
#include "core/win32/wide_text.h"

namespace mw {

int RealPathOf(const std::string& path, std::string& real)
{
    const HANDLE handle = CreateFileW(WidePath(path).c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return static_cast<int>(GetLastError());
    constexpr DWORD kForm = FILE_NAME_NORMALIZED | VOLUME_NAME_DOS;
    std::wstring final(GetFinalPathNameByHandleW(handle, nullptr, 0, kForm), L'\0');
    DWORD length = 0;
    if (!final.empty())
        length = GetFinalPathNameByHandleW(handle, final.data(), static_cast<DWORD>(final.size()), kForm);
    const bool told = length > 0 && length < final.size();
    const int err = told ? 0 : static_cast<int>(GetLastError());
    CloseHandle(handle);
    if (!told)
        return err != 0 ? err : ERROR_INVALID_DATA;
    final.resize(length);
    real = Utf8FromWide(final);
    return 0;
}

}  // namespace mw
