// The contents window in Win32: what one archive holds, as a folder tree
// beside a sortable list of its entries that a filter narrows as it is
// typed, with the edits of ops/archive_edits on the selected entries and
// the search across the installation. Entries drag out as files, and files
// dropped on the list are added below the folder shown. The window draws
// and wires; its handlers (startup/contents_handlers.h) and the operations
// hold the logic. Its files by job: the controls and their places
// (contents_window.cpp), the tree and the virtual list (contents_list.cpp),
// the messages (contents_messages.cpp), drags out and drops in
// (contents_drag.cpp), and what the handlers see (contents_view.cpp).
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
#include "ops/run_state.h"
#include "startup/contents_handlers.h"
#include "startup/contents_view.h"
#include "win32/dialogs.h"
#include "win32/find_window.h"
#include "win32/window_frontend.h"
#include "win32/window_look.h"

namespace mw {

class Win32ContentsWindow : public ProgramWindow,
                            public Win32WindowFrontend,
                            public ContentsView,
                            public ContentsDialogs {
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
    // A key for this window or its find window, taken before the window
    // it was sent to sees it: true when it acted.
    bool TakeKey(const MSG& message);
    HWND ControlHandle(Control control) const { return controls_[control]; }
    // The results of the last search, made by the first.
    Win32FindWindow* Finds() const { return findWindow_.get(); }

    // Reads the archive again, keeping the folder and the filter shown.
    void Reload() { handlers_.Reload(); }
    // The entries the list shows, as indices of the directory, in its order.
    const std::vector<std::int32_t>& ShownEntries() const { return shown_; }
    void SelectFolder(const std::string& folder);
    // The selected entries extracted for a drag; the files, none after a refusal.
    std::vector<std::string> ExtractForDrag() { return handlers_.ExtractForDrag(SelectedEntries()); }
    // The list sorted by a column; the same column again turns the order round.
    void SortBy(EntryColumn column);

    // ContentsView: what the window shows.
    const ArchiveContents& Contents() const override { return contents_; }
    std::vector<std::int32_t> SelectedEntries() const override;
    std::string CurrentFolder() const override;
    std::string FilterText() const override;
    std::string StatusText() const override { return Win32WindowFrontend::StatusText(); }
    void SetStatusText(const std::string& text) override { Win32WindowFrontend::SetStatusText(text); }
    bool StatusAtRest() const override { return Win32WindowFrontend::StatusAtRest(); }
    void ShowContents(ArchiveContents contents) override;
    void ShowContentsAgain(ArchiveContents contents, const std::string& folder) override;
    void SelectEntryAlone(std::size_t index) override;
    FoundEntries& EmptyFinds() override;
    void ShowFinds(const std::string& pattern) override;
    // In the temporary folder, removed with the window.
    std::optional<std::string> DragFolder() override;
    bool RunWithErrorsShown(const std::function<void(Frontend&)>& work) override;
    bool RunWithInputHeld(const std::function<void(Frontend&)>& work) override;
    void RunEditOffThread(const std::function<void(Frontend&)>& edit) override { RunOffThread(edit); }

    // ContentsDialogs: the program's, owned by this window.
    std::vector<std::string> ChooseFiles(const std::string& title, bool several) override;
    std::optional<std::string> ChooseFolder(const std::string& title, const std::string& startFolder) override;
    std::optional<std::string> AskText(const std::string& title, const std::string& label,
                                       const std::string& text) override;
    bool AskQuestion(const std::string& question) override { return boxes_.AskQuestion(question); }

    // Frontend. The edits use the status bar and the boxes; the fields and
    // the save dialog are the main window's, and an edit never asks for them.
    std::optional<std::string> AskSaveLocation(const SaveRequest&) override { return std::nullopt; }

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void CreateControls();
    void PlaceControls() override;
    // A failure leaves the count of entries shown.
    std::string RestingText() const override;
    void LayOut();
    void OnCommand(int id);
    bool OnNotify(const NMHDR& header, LRESULT& result);
    void ShowMenu(POINT at);
    // The contents in place of the last: the list emptied first, the tree made anew.
    void SetContents(ArchiveContents contents);
    void ApplyFilter();
    void UpdateActions();
    // The text of a cell the list asks for, kept until it asks for the next.
    wchar_t* CellText(int row, int subItem);
    void DropFiles(HDROP drop);
    // An entry dragged out of the list: extracted, then handed to the drop target.
    void DragOut();

    RunState& state_;
    HWND controls_[ControlCount] = {};
    ContentsHandlers handlers_{state_, *this, *this};
    ArchiveContents contents_;
    EntryOrder order_;
    std::vector<std::int32_t> shown_;
    bool filling_ = false;  // while the tree and filter are refilled, their changes filter nothing
    EntryColumn sortColumn_ = EntryColumn::Index;
    bool descending_ = false;
    std::vector<std::string> folders_;                        // as EntryFolders gives them
    std::unordered_map<std::string, HTREEITEM> folderNodes_;  // lower-case folder, "" the archive
    std::wstring cellText_;  // the text of the cell last asked for
    FoundEntryList found_;
    std::unique_ptr<Win32FindWindow> findWindow_;
    std::string dragFolder_;  // made by the first drag
    bool dragging_ = false;   // the list's own drag is no drop of new files
};

}  // namespace mw
