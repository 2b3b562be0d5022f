// The contents window in Win32: what one archive holds, as a folder tree
// beside a sortable list of its entries that a filter narrows as it is
// typed, with the edits of ops/archive_edits on the selected entries and
// the search across the installation. Entries drag out as files, and files
// dropped on the list are added below the folder shown. The window holds
// the wiring; the operations hold the logic.
#pragma once

#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "ops/archive_contents.h"
#include "ops/entry_order.h"
#include "ops/find_entries.h"
#include "ops/frontend.h"
#include "ops/run_state.h"
#include "win32/dialogs.h"
#include "win32/cancellable_run.h"
#include "win32/find_window.h"
#include "win32/window_look.h"

namespace mw {

class Win32ContentsWindow : public ProgramWindow, public Frontend {
public:
    Win32ContentsWindow(HWND owner, RunState& state, Win32Dialogs& boxes);
    ~Win32ContentsWindow() override;
    Win32ContentsWindow(const Win32ContentsWindow&) = delete;
    Win32ContentsWindow& operator=(const Win32ContentsWindow&) = delete;

    // The controls, in their order on screen: for the tests.
    enum Control {
        ExtractButton, AddButton, ReplaceButton, RenameButton, RemoveButton, FindButton, FilterEdit, FolderTree,
        EntryList, StatusBar,
        // Over the status bar's right end while an edit runs; Escape does the same.
        CancelButton, ControlCount
    };
    HWND Handle() const { return window_; }
    HWND ControlHandle(Control control) const { return controls_[control]; }
    const std::string& StatusText() const { return statusText_; }
    // The results of the last search, made by the first.
    Win32FindWindow* Finds() const { return findWindow_.get(); }

    // Shows an archive's contents, all of its entries, in front.
    void ShowContents(ArchiveContents contents);
    // Reads the archive again, keeping the folder and the filter shown.
    void Reload();
    const ArchiveContents& Contents() const { return contents_; }
    // The entries the list shows, as indices of the directory, in its order.
    const std::vector<std::int32_t>& ShownEntries() const { return shown_; }
    // The selected entries, as indices of the directory in table order.
    std::vector<std::int32_t> SelectedEntries() const;
    // The folder chosen in the tree; "" for the archive's own node.
    std::string CurrentFolder() const;
    void SelectFolder(const std::string& folder);

    // Handlers. Every error that ends one is shown in the default error
    // display; after an edit the archive is read again.
    void ExtractSelection();
    void AddFiles();
    void ReplaceSelected();
    void RenameSelected();
    void RemoveSelection();
    void AddDropped(const std::vector<std::string>& paths);
    // The selected entries extracted into a folder of the window's own,
    // which lives as long as the window, so that the program they are
    // dropped on can copy them when it likes; the files, none after a refusal.
    std::vector<std::string> ExtractForDrag();
    // Entries of every wad of the GP4 installation whose names match a
    // pattern asked for (the filter's text first), in the find window.
    void FindInGp4();
    // A row the search found: its wad shown here, that entry selected.
    void OpenFound(int row);
    // The list sorted by a column; the same column again turns the order round.
    void SortBy(EntryColumn column);

    // Frontend. The edits use the status bar and the boxes; the fields and
    // the save dialog are the main window's, and an edit never asks for them.
    void ShowProgress(const Progress& progress) override;
    void RepaintWindow() override;
    void ShowRefusal(const Refusal& refusal) override;
    std::optional<std::string> AskSaveLocation(const SaveRequest&) override { return std::nullopt; }
    bool ConfirmChanges(const std::string& question) override;
    void ShowBytes(std::int64_t done, std::int64_t total) override;
    bool ShowsByteTotal() const override { return true; }
    bool CancelRequested() const override { return run_.CancelRequested(); }

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void CreateControls();
    void PlaceControls() override;
    void LayOut();
    void SetStatusText(const std::string& text);
    // The status bar's text and position as the track gives them; a refusal
    // or an error leaves the count of entries shown, the bar empty.
    void ShowStatus(const StatusView& view);
    void ShowFailed();
    void SetPosition(int percent);
    void RepaintProgress();
    void OnCommand(int id);
    bool OnNotify(const NMHDR& header, LRESULT& result);
    void ShowMenu(POINT at);
    // The contents in place of the last: the list emptied first, the tree made anew.
    void SetContents(ArchiveContents contents);
    void ApplyFilter();
    void UpdateActions();
    void DropFiles(HDROP drop);
    // Runs a handler's work with input held back; an error that ends it is
    // shown in the default error display. True when it ran to its end.
    bool RunHeldBack(const std::function<void()>& work);
    // An edit off the window's thread, its Cancel button shown, then the
    // archive read again: the edit waits for the archive's lock, which
    // another program may hold.
    void RunEdit(const std::function<void(Frontend&)>& edit);

    RunState& state_;
    Win32Dialogs& boxes_;
    HWND controls_[ControlCount] = {};
    CancellableRun run_{controls_[CancelButton]};
    ArchiveContents contents_;
    EntryOrder order_;
    std::vector<std::int32_t> shown_;
    bool filling_ = false;  // while the tree and filter are refilled, their changes filter nothing
    EntryColumn sortColumn_ = EntryColumn::Index;
    bool descending_ = false;
    std::vector<std::string> folders_;                        // as EntryFolders gives them
    std::unordered_map<std::string, HTREEITEM> folderNodes_;  // lower-case folder, "" the archive
    StatusTrack status_;
    bool atRest_ = false;  // a failure put the status back to the count
    std::string statusText_;
    int position_ = 0;
    std::wstring cellText_;  // the text of the cell last asked for
    FoundEntryList found_;
    std::unique_ptr<Win32FindWindow> findWindow_;
    std::string dragFolder_;  // made by the first drag
    int drags_ = 0;
    bool dragging_ = false;  // the list's own drag is no drop of new files
};

}  // namespace mw
