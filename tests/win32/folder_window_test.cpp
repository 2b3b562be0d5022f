// The folder windows' tree of the shell's folders, under Wine.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <string>

#include "core/win32/wide_text.h"
#include "tests/support/temp_dir.h"
#include "win32/folder_window.h"

namespace mw {
namespace {

bool Holds(const std::string& folder, const std::string& path)
{
    const std::size_t size = folder.size();
    return size > 0 && path.size() >= size && _strnicmp(folder.c_str(), path.c_str(), size) == 0 &&
           (path.size() == size || folder.back() == '\\' || path[size] == '\\');
}

// Opens the tree down to a folder, through the folders that hold it or
// those without a path (the computer); nullptr when not found.
HTREEITEM OpenTo(const FolderWindow& window, HTREEITEM item, const std::string& folder, int depth = 0)
{
    const HWND tree = window.Tree();
    TreeView_Expand(tree, item, TVE_EXPAND);
    for (const bool throughPathless : {false, true})
        for (HTREEITEM child = TreeView_GetChild(tree, item); child; child = TreeView_GetNextSibling(tree, child)) {
            const std::string path = window.PathOf(child);
            if (!path.empty() && _stricmp(path.c_str(), folder.c_str()) == 0)
                return child;
            const bool worthOpening = throughPathless ? path.empty() && depth < 2 : Holds(path, folder);
            if (const HTREEITEM found = worthOpening ? OpenTo(window, child, folder, depth + 1) : nullptr)
                return found;
        }
    return nullptr;
}

// Runs the window's messages until the item has as many folders or 5 s pass.
bool WaitForFolders(HWND tree, HTREEITEM item, int count)
{
    for (int waited = 0; waited < 5000; waited += 20) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&message);
        int folders = 0;
        for (HTREEITEM child = TreeView_GetChild(tree, item); child; child = TreeView_GetNextSibling(tree, child))
            ++folders;
        if (folders == count)
            return true;
        Sleep(20);
    }
    return false;
}

TEST(FolderWindowTest, FoldersMadeAndRemovedInAnOpenFolderComeAndGo)
{
    test::TempDir dir;
    dir.MakeFolder("kept");
    FolderWindow window(nullptr, kFolderChooserLook, [](const std::string&) {});
    const HTREEITEM item = OpenTo(window, TreeView_GetRoot(window.Tree()), dir.path());
    ASSERT_NE(item, nullptr) << dir.path();
    TreeView_Expand(window.Tree(), item, TVE_EXPAND);
    ASSERT_TRUE(WaitForFolders(window.Tree(), item, 1));

    const std::wstring made = WideFromUtf8(dir / "made");
    ASSERT_TRUE(CreateDirectoryW(made.c_str(), nullptr));
    EXPECT_TRUE(WaitForFolders(window.Tree(), item, 2)) << "a folder made appears";
    ASSERT_TRUE(RemoveDirectoryW(made.c_str()));
    EXPECT_TRUE(WaitForFolders(window.Tree(), item, 1)) << "a folder removed vanishes";
}

}  // namespace
}  // namespace mw
