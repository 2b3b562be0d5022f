#include "core/win32/wide_text.h"

#include <windows.h>

#include <algorithm>

namespace mw {
namespace {

// The code page of entry names: the system's, as the game reads them, not
// the process's, which a manifest may set to UTF-8.
UINT EntryCodePage()
{
    static const UINT codePage = [] {
        DWORD number = 0;
        const int got = GetLocaleInfoW(LOCALE_SYSTEM_DEFAULT, LOCALE_IDEFAULTANSICODEPAGE | LOCALE_RETURN_NUMBER,
                                       reinterpret_cast<LPWSTR>(&number), sizeof number / sizeof(WCHAR));
        return got > 0 && number != 0 ? static_cast<UINT>(number) : GetACP();
    }();
    return codePage;
}

}  // namespace

std::wstring WideFromUtf8(std::string_view text)
{
    if (text.empty())
        return {};
    const int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(std::max(size, 0)), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
    return wide;
}

std::string Utf8FromWide(std::wstring_view text)
{
    if (text.empty())
        return {};
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(std::max(size, 0)), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(), size, nullptr, nullptr);
    return utf8;
}

std::wstring WidePath(const std::string& path)
{
    std::wstring wide = WideFromUtf8(path);
    std::replace(wide.begin(), wide.end(), L'/', L'\\');
    if (wide.rfind(LR"(\\?\)", 0) == 0)
        return wide;
    // The prefix turns off the system's own clean-up of the path ("/",
    // ".", ".."), so the full path is made first.
    const DWORD size = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    if (size == 0)
        return wide;
    std::wstring full(size, L'\0');
    const DWORD length = GetFullPathNameW(wide.c_str(), size, full.data(), nullptr);
    if (length == 0 || length >= size)
        return wide;
    full.resize(length);
    if (full.rfind(LR"(\\)", 0) == 0)
        return LR"(\\?\UNC\)" + full.substr(2);
    return LR"(\\?\)" + full;
}

std::optional<std::wstring> WideFromAnsi(std::string_view bytes)
{
    if (bytes.empty())
        return std::wstring();
    const UINT codePage = EntryCodePage();
    const int size = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), static_cast<int>(bytes.size()),
                                         nullptr, 0);
    if (size <= 0)
        return std::nullopt;
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), static_cast<int>(bytes.size()), wide.data(),
                        size);
    return wide;
}

std::optional<std::string> AnsiFromWide(std::wstring_view text)
{
    if (text.empty())
        return std::string();
    const UINT codePage = EntryCodePage();
    BOOL defaulted = FALSE;
    const int size = WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, &defaulted);
    if (size <= 0 || defaulted)
        return std::nullopt;
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, text.data(), static_cast<int>(text.size()), bytes.data(),
                        size, nullptr, &defaulted);
    // Exact both ways: the bytes must read back as the same characters.
    if (defaulted || WideFromAnsi(bytes) != std::wstring(text))
        return std::nullopt;
    return bytes;
}

}  // namespace mw
