// The resources mendwright.exe needs from its own file: without the manifest
// it would get common controls 5, no DPI awareness and no long paths.
#include <gtest/gtest.h>

#include <windows.h>

namespace mw {
namespace {

TEST(ProgramResourcesTest, ProgramCarriesItsManifestAndButtonPictures)
{
    const HMODULE program =
        LoadLibraryExW(L"" MENDWRIGHT_SCRIPTED_PROGRAM, nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(program, nullptr);
    struct Resource {
        int id;
        const wchar_t* type;
    };
    const Resource resources[] = {{1, RT_MANIFEST}, {1, RT_GROUP_ICON}, {10, RT_GROUP_ICON}, {11, RT_GROUP_ICON},
                                  {12, RT_GROUP_ICON}, {13, RT_GROUP_ICON}, {14, RT_GROUP_ICON}};
    for (const Resource& r : resources)
        EXPECT_NE(FindResourceW(program, MAKEINTRESOURCEW(r.id), r.type), nullptr) << r.id;
    FreeLibrary(program);
}

}  // namespace
}  // namespace mw
