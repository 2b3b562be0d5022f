// The registry store and the GP4 key lookup, run under Wine in a prefix made
// for the test run.
#include <gtest/gtest.h>

#include <windows.h>

#include <optional>
#include <string>

#include "core/errors.h"
#include "core/win32/wide_text.h"
#include "settings/gp4_key.h"
#include "settings/win32/registry_gp4_installation.h"
#include "settings/win32/registry_settings_store.h"
#include "tests/support/temp_dir.h"

namespace mw {
namespace {

// Creates (root, path) in a registry view and sets one value of it.
void SetValue(HKEY root, const std::wstring& path, REGSAM view, const std::wstring& name, DWORD type,
              const void* data, DWORD size)
{
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE | view, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExW(key, name.c_str(), 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
    RegCloseKey(key);
}

void DeleteKey(HKEY root, const std::wstring& path, REGSAM view)
{
    RegDeleteKeyExW(root, path.c_str(), view, 0);
}

TEST(RegistrySettingsStoreTest, ValuesAreTextsWrittenOneByOne)
{
    RegistrySettingsStore store;
    EXPECT_EQ(store.Read(kFileNameValue), std::nullopt);
    const std::string folder = "C:\\Jeux\\Grand Prix 4 \xc3\xa9t\xc3\xa9";
    store.Write(kFileNameValue, folder);
    store.Write(kContinueValue, "1");
    EXPECT_EQ(store.Read(kFileNameValue), folder);
    EXPECT_EQ(store.Read(kContinueValue), "1");

    // Each value is a REG_SZ of its own, as another program reads it.
    wchar_t text[MAX_PATH] = {};
    DWORD size = sizeof(text);
    DWORD type = 0;
    ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, kSettingsKey, L"FileName", RRF_RT_ANY, &type, text, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(Utf8FromWide(text), folder);

    const DWORD number = 1;
    SetValue(HKEY_CURRENT_USER, kSettingsKey, 0, L"WadName", REG_DWORD, &number, sizeof(number));
    EXPECT_THROW(store.Read(kWadNameValue), AppError) << "a value that is not a text";
    RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey);
}

// The key in each view names a folder, with or without GP4.exe in it.
struct KeyCase {
    const char* name;
    std::optional<bool> key32;  // nothing: no key in that view; else whether its folder holds GP4.exe
    std::optional<bool> key64;
    const char* found;          // "32", "64" or "" for none
};

constexpr KeyCase kKeyCases[] = {
    {"32-bit view first", true, true, "32"},
    {"64-bit view when the 32-bit folder has no GP4.exe", false, true, "64"},
    {"64-bit view alone", std::nullopt, true, "64"},
    {"no folder holds GP4.exe", false, false, ""},
    {"no key", std::nullopt, std::nullopt, ""},
};

TEST(RegistryGp4InstallationTest, TakesTheFirstViewWhoseFolderHoldsGp4)
{
    const std::wstring key = WideFromUtf8(kGp4InstallKey);
    for (const KeyCase& c : kKeyCases) {
        test::TempDir dir;
        const std::pair<std::optional<bool>, REGSAM> views[] = {{c.key32, KEY_WOW64_32KEY}, {c.key64, KEY_WOW64_64KEY}};
        for (const auto& [holds, view] : views) {
            if (!holds)
                continue;
            const std::string folder = dir.MakeFolder(view == KEY_WOW64_32KEY ? "32" : "64");
            if (*holds)
                dir.Write((view == KEY_WOW64_32KEY ? "32/" : "64/") + std::string(kGp4Program), "");
            const std::wstring text = WideFromUtf8(folder);
            SetValue(HKEY_LOCAL_MACHINE, key, view, L"Directory", REG_SZ, text.c_str(),
                     static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
        }
        RegistryGp4Installation installation;
        std::string path = "unchanged";
        installation.FindInstallationFolder(path);
        EXPECT_EQ(installation.FoundInstallation(), *c.found != '\0') << c.name;
        EXPECT_EQ(path, *c.found ? dir / c.found : "unchanged") << c.name;
        DeleteKey(HKEY_LOCAL_MACHINE, key, KEY_WOW64_32KEY);
        DeleteKey(HKEY_LOCAL_MACHINE, key, KEY_WOW64_64KEY);
    }
}

}  // namespace
}  // namespace mw
