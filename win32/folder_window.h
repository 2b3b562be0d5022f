// The folder chooser and the Manual Path Entry window in Win32: a prompt,
// a tree of the drives and their folders, and OK, which hands the selected
// folder on and hides the window. Both are created hidden with the main
// window and shown from its buttons.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <string>

#include "win32/window_look.h"

namespace mw {

struct FolderWindowLook {
    const wchar_t* caption;
    SIZE clientSize;  // at 96 dots per inch
    const wchar_t* prompt;
    RECT promptPlace;  // left, top, right, bottom in the client area
    RECT treePlace;
    RECT okPlace;
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
    // The selected item's full path; empty when nothing is selected.
    std::string SelectedPath() const;

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void AddFolders(HTREEITEM parent, const std::wstring& folder);
    std::wstring PathOf(HTREEITEM item) const;
    int Scaled(int pixels) const;

    std::function<void(const std::string&)> accept_;
    HWND tree_ = nullptr;
    HWND ok_ = nullptr;
    HFONT font_ = nullptr;
};

}  // namespace mw
