#include "win32/shell_folder_tree.h"

#include <shellapi.h>

#include <algorithm>

#include "win32/system_icons.h"

namespace mw {
namespace {

// Room for a long path.
constexpr DWORD kPathBuffer = 32768;

SHFILEINFOW FileInfo(PCIDLIST_ABSOLUTE id, UINT flags)
{
    SHFILEINFOW info = {};
    SHGetFileInfoW(reinterpret_cast<LPCWSTR>(id), 0, &info, sizeof(info), SHGFI_PIDL | SHGFI_SMALLICON | flags);
    return info;
}

// The shell's own order, the one Explorer shows.
int CALLBACK CompareFolders(LPARAM first, LPARAM second, LPARAM desktop)
{
    const HRESULT order = reinterpret_cast<IShellFolder*>(desktop)->CompareIDs(
        0, reinterpret_cast<PCUIDLIST_RELATIVE>(first), reinterpret_cast<PCUIDLIST_RELATIVE>(second));
    return static_cast<short>(HRESULT_CODE(order));
}

}  // namespace

ShellFolderTree::ShellFolderTree(HWND tree) : tree_(tree)
{
    // Shell folders are COM objects; the program's thread may have its
    // apartment already.
    comStarted_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
    SHGetDesktopFolder(&desktop_);
    TreeView_SetImageList(tree_, SmallSystemIcons(), TVSIL_NORMAL);

    PIDLIST_ABSOLUTE desktopId = nullptr;
    if (!desktop_ || FAILED(SHGetFolderLocation(nullptr, CSIDL_DESKTOP, nullptr, 0, &desktopId)))
        return;
    const HTREEITEM root = Insert(TVI_ROOT, {desktopId, true});
    Refresh(root);
    TreeView_Expand(tree_, root, TVE_EXPAND);
    TreeView_SelectItem(tree_, root);
}

ShellFolderTree::~ShellFolderTree()
{
    if (desktop_)
        desktop_->Release();
    if (comStarted_)
        CoUninitialize();
}

PCIDLIST_ABSOLUTE ShellFolderTree::IdOf(HTREEITEM item) const
{
    TVITEMW read = {};
    read.mask = TVIF_PARAM;
    read.hItem = item;
    if (!item || !TreeView_GetItem(tree_, &read))
        return nullptr;
    return reinterpret_cast<PCIDLIST_ABSOLUTE>(read.lParam);
}

std::vector<ShellFolderTree::Folder> ShellFolderTree::FoldersIn(PCIDLIST_ABSOLUTE folder) const
{
    std::vector<Folder> folders;
    IShellFolder* shell = nullptr;
    if (ILIsEmpty(folder)) {
        shell = desktop_;
        shell->AddRef();
    } else if (FAILED(desktop_->BindToObject(folder, nullptr, IID_IShellFolder, reinterpret_cast<void**>(&shell)))) {
        return folders;
    }
    // No window for the shell to ask from: an empty drive stays quietly empty.
    IEnumIDList* children = nullptr;
    if (shell->EnumObjects(nullptr, SHCONTF_FOLDERS, &children) == S_OK) {
        PITEMID_CHILD child = nullptr;
        while (children->Next(1, &child, nullptr) == S_OK) {
            SFGAOF attributes = SFGAO_FOLDER | SFGAO_STREAM | SFGAO_HASSUBFOLDER;
            PCUITEMID_CHILD asked = child;
            shell->GetAttributesOf(1, &asked, &attributes);
            // A .zip file is a folder to the shell; here it is a file.
            if ((attributes & SFGAO_FOLDER) && !(attributes & SFGAO_STREAM))
                folders.push_back({ILCombine(folder, child), (attributes & SFGAO_HASSUBFOLDER) != 0});
            ILFree(child);
        }
        children->Release();
    }
    shell->Release();
    return folders;
}

HTREEITEM ShellFolderTree::Insert(HTREEITEM parent, const Folder& folder)
{
    SHFILEINFOW shown = FileInfo(folder.id, SHGFI_DISPLAYNAME | SHGFI_SYSICONINDEX);
    TVINSERTSTRUCTW insert = {};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_CHILDREN | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    insert.item.pszText = shown.szDisplayName;
    insert.item.cChildren = folder.hasFolders ? 1 : 0;
    insert.item.lParam = reinterpret_cast<LPARAM>(folder.id);
    insert.item.iImage = shown.iIcon;
    insert.item.iSelectedImage = FileInfo(folder.id, SHGFI_SYSICONINDEX | SHGFI_OPENICON).iIcon;
    return TreeView_InsertItem(tree_, &insert);
}

void ShellFolderTree::SetHasFolders(HTREEITEM item, bool hasFolders)
{
    TVITEMW change = {};
    change.mask = TVIF_CHILDREN;
    change.hItem = item;
    change.cChildren = hasFolders ? 1 : 0;
    TreeView_SetItem(tree_, &change);
}

void ShellFolderTree::Refresh(HTREEITEM item)
{
    const PCIDLIST_ABSOLUTE id = IdOf(item);
    if (!id)
        return;
    std::vector<Folder> found = FoldersIn(id);
    for (HTREEITEM child = TreeView_GetChild(tree_, item); child;) {
        const HTREEITEM next = TreeView_GetNextSibling(tree_, child);
        const PCIDLIST_ABSOLUTE childId = IdOf(child);
        const auto same = std::find_if(found.begin(), found.end(), [&](const Folder& folder) {
            return HRESULT_CODE(desktop_->CompareIDs(0, childId, folder.id)) == 0;
        });
        if (same == found.end()) {
            TreeView_DeleteItem(tree_, child);
        } else {
            // A folder not read yet may have gained or lost folders of its own.
            if (!TreeView_GetChild(tree_, child))
                SetHasFolders(child, same->hasFolders);
            ILFree(same->id);
            found.erase(same);
        }
        child = next;
    }
    for (const Folder& folder : found)
        Insert(item, folder);
    TVSORTCB order = {item, CompareFolders, reinterpret_cast<LPARAM>(desktop_)};
    TreeView_SortChildrenCB(tree_, &order, FALSE);
    SetHasFolders(item, TreeView_GetChild(tree_, item) != nullptr);
}

void ShellFolderTree::CollectOpen(HTREEITEM item, std::vector<HTREEITEM>& open) const
{
    for (; item; item = TreeView_GetNextSibling(tree_, item))
        if (TreeView_GetItemState(tree_, item, TVIS_EXPANDED) & TVIS_EXPANDED) {
            open.push_back(item);
            CollectOpen(TreeView_GetChild(tree_, item), open);
        }
}

std::vector<std::pair<HTREEITEM, std::wstring>> ShellFolderTree::OpenFolders() const
{
    std::vector<HTREEITEM> open;
    CollectOpen(TreeView_GetRoot(tree_), open);
    std::vector<std::pair<HTREEITEM, std::wstring>> folders;
    for (const HTREEITEM item : open)
        if (std::wstring path = PathOf(item); !path.empty())
            folders.emplace_back(item, std::move(path));
    return folders;
}

void ShellFolderTree::RefreshOpenFolders()
{
    std::vector<HTREEITEM> open;
    CollectOpen(TreeView_GetRoot(tree_), open);
    // Deepest first, so that no refresh removes an item still to be refreshed.
    for (auto item = open.rbegin(); item != open.rend(); ++item)
        Refresh(*item);
}

std::wstring ShellFolderTree::PathOf(HTREEITEM item) const
{
    const PCIDLIST_ABSOLUTE id = IdOf(item);
    std::wstring path(kPathBuffer, L'\0');
    if (!id || !SHGetPathFromIDListEx(id, path.data(), kPathBuffer, GPFIDL_DEFAULT))
        return {};
    path.resize(wcslen(path.c_str()));
    return path;
}

bool ShellFolderTree::HandleNotify(const NMHDR& header)
{
    if (header.hwndFrom != tree_)
        return false;
    const auto& change = reinterpret_cast<const NMTREEVIEWW&>(header);
    switch (header.code) {
    case TVN_ITEMEXPANDINGW:
        if (change.action == TVE_EXPAND && !TreeView_GetChild(tree_, change.itemNew.hItem))
            Refresh(change.itemNew.hItem);
        return false;
    case TVN_ITEMEXPANDEDW:
        return true;
    case TVN_DELETEITEMW:
        ILFree(reinterpret_cast<PIDLIST_ABSOLUTE>(change.itemOld.lParam));
        return false;
    case NM_RCLICK: {
        // A right click selects the folder under the mouse.
        TVHITTESTINFO hit = {};
        GetCursorPos(&hit.pt);
        ScreenToClient(tree_, &hit.pt);
        if (const HTREEITEM item = TreeView_HitTest(tree_, &hit))
            TreeView_SelectItem(tree_, item);
        return false;
    }
    default:
        return false;
    }
}

}  // namespace mw
