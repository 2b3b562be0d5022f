#include "settings/win32/registry_settings_store.h"

#include <windows.h>

#include "core/errors.h"
#include "core/win32/wide_text.h"
#include "settings/settings_errors.h"

namespace mw {
namespace {

// The key, or nullptr when it cannot be opened with that access.
HKEY OpenKey(REGSAM access)
{
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return nullptr;
    return key;
}

struct KeyCloser {
    HKEY key;
    ~KeyCloser()
    {
        if (key)
            RegCloseKey(key);
    }
};

}  // namespace

RegistrySettingsStore::RegistrySettingsStore()
{
    KeyCloser closer{OpenKey(KEY_QUERY_VALUE)};
}

std::optional<std::string> RegistrySettingsStore::Read(const std::string& name)
{
    KeyCloser closer{OpenKey(KEY_QUERY_VALUE)};
    if (!closer.key)
        return std::nullopt;
    const std::wstring valueName = WideFromUtf8(name);
    DWORD type = 0;
    DWORD size = 0;
    LSTATUS status = RegQueryValueExW(closer.key, valueName.c_str(), nullptr, &type, nullptr, &size);
    if (status == ERROR_FILE_NOT_FOUND)
        return std::nullopt;
    if (status != ERROR_SUCCESS || type != REG_SZ)
        throw AppError(WrongTypeText(name));
    std::wstring text(size / sizeof(wchar_t) + 1, L'\0');
    size = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    status = RegQueryValueExW(closer.key, valueName.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &size);
    if (status != ERROR_SUCCESS || type != REG_SZ)
        throw AppError(WrongTypeText(name));
    // The stored text may or may not end in its NUL.
    text.resize(size / sizeof(wchar_t));
    while (!text.empty() && text.back() == L'\0')
        text.pop_back();
    return Utf8FromWide(text);
}

void RegistrySettingsStore::Write(const std::string& name, const std::string& text)
{
    KeyCloser closer{OpenKey(KEY_SET_VALUE)};
    const std::wstring data = WideFromUtf8(text);
    const DWORD size = static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t));
    if (!closer.key || RegSetValueExW(closer.key, WideFromUtf8(name).c_str(), 0, REG_SZ,
                                      reinterpret_cast<const BYTE*>(data.c_str()), size) != ERROR_SUCCESS)
        throw AppError(WriteFailedText(name));
}

}  // namespace mw
