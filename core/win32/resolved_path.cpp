#include "core/resolved_path.h"

#include <windows.h>

#include <algorithm>

#include "core/folder_access.h"
#include "core/win32/final_path.h"
#include "core/win32/native_file.h"
#include "core/win32/wide_text.h"
#include "core/windows_path_rules.h"

namespace mw {

std::string ResolvedPath(const std::string& path)
{
    std::wstring existing = WidePath(path);
    std::wstring rest;
    // The long-path prefix and the drive or share stay whatever is missing.
    const std::size_t root = existing.find(L'\\', existing.starts_with(LR"(\\?\UNC\)") ? 8 : 4);
    for (;;) {
        const HANDLE handle = CreateFileW(existing.c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                                          FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        if (handle != INVALID_HANDLE_VALUE) {
            const std::optional<std::wstring> final = ObjectPathOf(handle);
            CloseHandle(handle);
            return final ? Utf8FromWide(*final + rest) : std::string();
        }
        if (!IsMissingError(static_cast<int>(GetLastError())) || root == std::wstring::npos ||
            existing.size() <= root + 1)
            return {};
        const std::size_t last = existing.rfind(L'\\');
        rest.insert(0, existing.substr(last));
        existing.resize(std::max(last, root + 1));  // the root keeps its separator
    }
}

bool ResolvedInside(const std::string& folder, const std::string& path)
{
    return !folder.empty() && !path.empty() && WindowsPathInside(folder, path);
}

}  // namespace mw
