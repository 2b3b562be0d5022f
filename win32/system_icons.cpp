#include "win32/system_icons.h"

#include <shellapi.h>

namespace mw {

HIMAGELIST SmallSystemIcons()
{
    SHFILEINFOW info = {};
    return reinterpret_cast<HIMAGELIST>(
        SHGetFileInfoW(L"C:\\", 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
}

int SmallIconOfKind(const wchar_t* name, DWORD attributes, bool open)
{
    SHFILEINFOW info = {};
    const UINT flags = SHGFI_USEFILEATTRIBUTES | SHGFI_SYSICONINDEX | SHGFI_SMALLICON | (open ? SHGFI_OPENICON : 0);
    if (!SHGetFileInfoW(name, attributes, &info, sizeof(info), flags))
        return 0;
    return info.iIcon;
}

}  // namespace mw
