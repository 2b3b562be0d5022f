// mendwright.exe called as an update package calls it, under Wine: the GP4
// key in the machine-wide registry, the package's working folder holding
// UpdateFolder, the question answered by the tests' build of the program.
#include <gtest/gtest.h>

#include <windows.h>

#include "core/win32/wide_text.h"
#include "ops/messages.h"
#include "settings/gp4_key.h"
#include "settings/registry_settings_store.h"
#include "startup/welcome_text.h"
#include "tests/support/box_records.h"
#include "tests/support/process.h"
#include "tests/support/temp_dir.h"

namespace mw::test {
namespace {

// The installation key as the game's installer writes it, in the 32-bit view.
class Gp4Key {
public:
    explicit Gp4Key(const std::string& folder)
    {
        HKEY key = nullptr;
        const std::wstring path = WideFromUtf8(kGp4InstallKey);
        const std::wstring text = WideFromUtf8(folder);
        RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE | KEY_WOW64_32KEY, nullptr,
                        &key, nullptr);
        RegSetValueExW(key, L"Directory", 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                       static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
        RegCloseKey(key);
    }
    ~Gp4Key()
    {
        RegDeleteKeyExW(HKEY_LOCAL_MACHINE, WideFromUtf8(kGp4InstallKey).c_str(), KEY_WOW64_32KEY, 0);
        RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey);
    }
};

std::string OneEntryArchive(const std::string& bytes)
{
    return ContiguousArchive({{"a.txt", bytes}});
}

struct PackageCase {
    const char* name;
    const char* answer;
    const char* source;  // argument 3
    int exitCode;
    bool patched;
};

constexpr PackageCase kCases[] = {
    {"yes patches from the folder below UpdateFolder", "yes", "carsfix", 0, true},
    {"no leaves the archive alone", "no", "carsfix", 0, false},
    {"a source outside UpdateFolder is refused", "yes", "..\\carsfix", 2, false},
};

TEST(Win32AutoInstallTest, PackageCallPatchesOnlyAfterYesAndInsideItsFolders)
{
    for (const PackageCase& c : kCases) {
        TempDir dir;
        const std::string gp4 = dir.MakeFolder("GP4");
        dir.Write("GP4/GP4.exe", "");
        const std::string cars = dir.Write("GP4/cars.wad", OneEntryArchive("old"));
        dir.Write("package/UpdateFolder/carsfix/a.txt", "fix");
        dir.Write("package/carsfix/a.txt", "out");
        const Gp4Key key(gp4);

        const ProcessResult result = RunProcess(MENDWRIGHT_SCRIPTED_PROGRAM, {"\\1wad", "cars.wad", c.source},
                                                dir / "package", {{"MENDWRIGHT_SCRIPTED_ANSWER", c.answer}}, 120);

        std::vector<Box> boxes = {{"question", WelcomeText(gp4)}};
        if (c.patched)
            boxes.push_back({"message", kPatchedMessage});
        else if (c.exitCode == 2)
            boxes.push_back({"message", kSourceOutsideUpdateFolderPrefix + std::string(c.source)});
        EXPECT_EQ(result.exitCode, c.exitCode) << c.name;
        EXPECT_EQ(ReadBoxes(result.out), boxes) << c.name;
        EXPECT_EQ(ReadBytes(cars), OneEntryArchive(c.patched ? "fix" : "old")) << c.name;
    }
}

}  // namespace
}  // namespace mw::test
