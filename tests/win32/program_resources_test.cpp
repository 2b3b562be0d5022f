// What the Windows loader and the window take from each build of
// mendwright.exe: its manifest (common controls 6, DPI awareness, long
// paths), the window icon, the button pictures and the version.
#include <gtest/gtest.h>

#include <windows.h>

namespace {

TEST(Win32ProgramResources, EveryBuildOfTheProgramCarriesThemAll)
{
    for (const wchar_t* program : {L"" MENDWRIGHT_PROGRAM, L"" MENDWRIGHT_SCRIPTED_PROGRAM}) {
        const HMODULE image = LoadLibraryExW(program, nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        ASSERT_NE(image, nullptr) << program;
        const struct {
            LPCWSTR type;
            int id;
        } resources[] = {{RT_MANIFEST, 1}, {RT_GROUP_ICON, 1}, {RT_GROUP_ICON, 10}, {RT_GROUP_ICON, 15}, {RT_GROUP_ICON, 16}, {RT_VERSION, 1}};
        for (const auto& resource : resources)
            EXPECT_NE(FindResourceW(image, MAKEINTRESOURCEW(resource.id), resource.type), nullptr)
                << resource.id << " in " << program;
        FreeLibrary(image);
    }
}

}  // namespace
