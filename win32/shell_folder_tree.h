// A TreeView filled with the shell namespace's folders as Explorer shows
// them: the desktop at the root, "This PC" and its drives below it, the
// shell's names and small icons. A folder's folders are read when it is
// first opened and again on Refresh.
#pragma once

#include <windows.h>

#include <commctrl.h>
#include <shlobj.h>

#include <string>
#include <utility>
#include <vector>

namespace mw {

class ShellFolderTree {
public:
    // Fills the tree: the desktop, open one level and selected. Each item's
    // shell id is freed as the tree deletes the item: destroy the tree
    // before this object.
    explicit ShellFolderTree(HWND tree);
    ~ShellFolderTree();
    ShellFolderTree(const ShellFolderTree&) = delete;
    ShellFolderTree& operator=(const ShellFolderTree&) = delete;

    // The tree's notifications, from its parent's WM_NOTIFY; true when a
    // folder was opened or closed.
    bool HandleNotify(const NMHDR& header);
    // The folder's file-system path; empty for one without (the computer,
    // the network) and for no item.
    std::wstring PathOf(HTREEITEM item) const;
    // The open folders that have a file-system path, in the tree's order.
    std::vector<std::pair<HTREEITEM, std::wstring>> OpenFolders() const;
    // Reads the item's folders again: new ones are added, gone ones removed,
    // the others kept as they are, open or closed.
    void Refresh(HTREEITEM item);
    // Refresh for every open folder.
    void RefreshOpenFolders();

private:
    struct Folder {
        PIDLIST_ABSOLUTE id;
        bool hasFolders;
    };
    std::vector<Folder> FoldersIn(PCIDLIST_ABSOLUTE folder) const;
    HTREEITEM Insert(HTREEITEM parent, const Folder& folder);
    void SetHasFolders(HTREEITEM item, bool hasFolders);
    PCIDLIST_ABSOLUTE IdOf(HTREEITEM item) const;
    void CollectOpen(HTREEITEM item, std::vector<HTREEITEM>& open) const;

    HWND tree_;
    bool comStarted_ = false;
    IShellFolder* desktop_ = nullptr;
};

}  // namespace mw
