// On Windows the undo store keeps the rights of the user's own data folder
// (%LOCALAPPDATA%, here a test folder): a record an update makes grants no
// one anything that folder does not. (Windows gives %LOCALAPPDATA% to the
// user, the system and the administrators; Wine shows a file's Unix mode as
// its rights, and ntfs-3g everyone's full access.)
#include <windows.h>

#include <aclapi.h>
#include <sddl.h>

#include <filesystem>
#include <map>

#include <gtest/gtest.h>

#include "core/path_text.h"
#include "core/win32/wide_text.h"
#include "tests/support/process.h"
#include "tests/support/temp_dir.h"

namespace mw {
namespace {

std::wstring SidText(PSID sid)
{
    wchar_t* text = nullptr;
    if (!ConvertSidToStringSidW(sid, &text))
        return L"?";
    std::wstring copy = text;
    LocalFree(text);
    return copy;
}

// What the access list of the file at path allows, by account.
std::map<std::wstring, ACCESS_MASK> Allowed(const std::wstring& path)
{
    std::map<std::wstring, ACCESS_MASK> allowed;
    PACL dacl = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    EXPECT_EQ(GetNamedSecurityInfoW(path.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr, &dacl,
                                    nullptr, &descriptor),
              static_cast<DWORD>(ERROR_SUCCESS));
    if (dacl == nullptr) {
        allowed[L"no access list: everyone"] = GENERIC_ALL;
        return allowed;
    }
    for (DWORD i = 0; i < dacl->AceCount; ++i) {
        ACE_HEADER* ace = nullptr;
        if (GetAce(dacl, i, reinterpret_cast<void**>(&ace)) && ace->AceType == ACCESS_ALLOWED_ACE_TYPE) {
            const auto* allow = reinterpret_cast<ACCESS_ALLOWED_ACE*>(ace);
            allowed[SidText(const_cast<DWORD*>(&allow->SidStart))] |= allow->Mask;
        }
    }
    LocalFree(descriptor);
    return allowed;
}

TEST(UndoStoreRightsTest, ARecordGrantsNoOneMoreThanTheUsersDataFolderDoes)
{
    const test::TempDir dir;
    const std::string archive = dir.Write("x.wad", test::ContiguousArchive({{"a.txt", "abc"}}));
    ASSERT_EQ(test::RunProcess(MENDWRIGHT_CLI, {"update", dir.Write("src/a.txt", "new"), archive}, "",
                               {{"LOCALAPPDATA", dir / "data"}})
                  .exitCode,
              0);
    const auto folder = *std::filesystem::directory_iterator(FileSystemPath(dir / "data/mendwright/undo"));
    const std::string record = PathText(std::filesystem::directory_iterator(folder.path())->path());

    const std::map<std::wstring, ACCESS_MASK> userData = Allowed(WidePath(dir / "data"));
    for (const auto& [account, mask] : Allowed(WidePath(record))) {
        const auto granted = userData.find(account);
        EXPECT_TRUE(granted != userData.end() && (mask & ~granted->second) == 0)
            << Utf8FromWide(account) << " is granted " << mask;
    }
}

}  // namespace
}  // namespace mw
