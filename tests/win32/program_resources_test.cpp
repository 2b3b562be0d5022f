// What the Windows loader and the window take from each build of
// mendwright.exe: its manifest (common controls 6, DPI awareness, long
// paths), the window icon, the button pictures and the version; and
// every image of every icon, none lost to another with its number.
#include <gtest/gtest.h>

#include <windows.h>

namespace {

BOOL CALLBACK CountIcon(HMODULE, LPCWSTR, LPWSTR, LONG_PTR count)
{
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

BOOL CALLBACK AddGroupImages(HMODULE image, LPCWSTR type, LPWSTR name, LONG_PTR count)
{
    // A group's header: reserved, type, then the number of its images.
    const auto* group = static_cast<const WORD*>(LockResource(LoadResource(image, FindResourceW(image, name, type))));
    *reinterpret_cast<int*>(count) += group[2];
    return TRUE;
}

TEST(Win32ProgramResources, EveryBuildOfTheProgramCarriesThemAll)
{
    for (const wchar_t* program : {L"" MENDWRIGHT_PROGRAM, L"" MENDWRIGHT_SCRIPTED_PROGRAM}) {
        const HMODULE image = LoadLibraryExW(program, nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        ASSERT_NE(image, nullptr) << program;
        const struct {
            LPCWSTR type;
            int id;
        } resources[] = {{RT_MANIFEST, 1},     {RT_GROUP_ICON, 1},  {RT_GROUP_ICON, 10},
                         {RT_GROUP_ICON, 15}, {RT_GROUP_ICON, 16}, {RT_VERSION, 1}};
        for (const auto& resource : resources)
            EXPECT_NE(FindResourceW(image, MAKEINTRESOURCEW(resource.id), resource.type), nullptr)
                << resource.id << " in " << program;
        int images = 0, groupImages = 0;
        EnumResourceNamesW(image, RT_ICON, CountIcon, reinterpret_cast<LONG_PTR>(&images));
        EnumResourceNamesW(image, RT_GROUP_ICON, AddGroupImages, reinterpret_cast<LONG_PTR>(&groupImages));
        EXPECT_EQ(images, groupImages) << program;
        FreeLibrary(image);
    }
}

}  // namespace
