// The folder chooser and the Manual Path Entry window in Win32: a prompt,
// a tree of the shell's folders that follows folders as they come and go,
// and OK, which hands the selected folder on and hides the window. Both are
// created hidden with the main window and shown from its buttons, centred
// the first time; they are sizeable and stay on top of the desktop.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>

#include "win32/folder_watch.h"
#include "win32/shell_folder_tree.h"
#include "win32/window_look.h"

namespace mw {

struct FolderWindowLook {
    const wchar_t* caption;
    SIZE clientSize;  // at 96 dots per inch
    const wchar_t* prompt;
    RECT promptPlace;  // left, top, right, bottom in the client area
    RECT treePlace;
    RECT okPlace;
    // Resized, the tree takes the room between the prompt's band and OK's,
    // and OK keeps its distance from the right and bottom edges; else
    // nothing moves.
    bool treeFillsWindow;
};

// "Select Files..." and "Manual Path Entry", as the Qt windows have them.
extern const FolderWindowLook kFolderChooserLook;
extern const FolderWindowLook kManualPathLook;

class FolderWindow : public ProgramWindow {
public:
    FolderWindow(HWND owner, const FolderWindowLook& look, std::function<void(const std::string&)> accept);
    ~FolderWindow() override;
    FolderWindow(const FolderWindow&) = delete;
    FolderWindow& operator=(const FolderWindow&) = delete;

    // Shows the window, or brings it to the front when it is open.
    void Show();
    HWND Handle() const { return window_; }
    HWND Tree() const { return tree_; }
    HWND OkButton() const { return ok_; }
    // The item's file-system path; empty for a folder without one (the
    // computer, the network) and for no item.
    std::string PathOf(HTREEITEM item) const;
    // The selected folder's path, as OK hands it on.
    std::string SelectedPath() const { return PathOf(TreeView_GetSelection(tree_)); }

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PlaceControls() override;
    // Watches the open folders, for folders that come and go in them.
    void WatchOpenFolders();

    const FolderWindowLook& look_;
    std::function<void(const std::string&)> accept_;
    HWND prompt_ = nullptr;
    HWND tree_ = nullptr;
    HWND ok_ = nullptr;
    std::unique_ptr<ShellFolderTree> folders_;
    std::unique_ptr<FolderWatch> watch_;
    // The items whose folders the watch watches, by its indexes.
    std::vector<HTREEITEM> watched_;
    bool shown_ = false;
};

}  // namespace mw
