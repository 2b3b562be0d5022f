// On Windows entry names go through the system's ANSI code page.
#include "core/entry_text.h"

#include "core/win32/wide_text.h"

namespace mw {

std::optional<std::string> PathTextOfEntryName(std::string_view entryName)
{
    const std::optional<std::wstring> wide = WideFromAnsi(entryName);
    if (!wide)
        return std::nullopt;
    return Utf8FromWide(*wide);
}

std::optional<std::string> EntryNameOfPathText(std::string_view pathText)
{
    return AnsiFromWide(WideFromUtf8(pathText));
}

}  // namespace mw
