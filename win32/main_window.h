// The main window in Win32: the same controls, texts and places as the Qt
// one, from the layout both are placed from (startup/main_window_layout.h).
// It is the operations' frontend, the start-up fill's fields and the
// start-up's shell; its buttons only call the operations.
#pragma once

#include <windows.h>

#include <shellapi.h>

#include <functional>
#include <memory>
#include <string>

#include "ops/run_state.h"
#include "settings/startup_fill.h"
#include "startup/main_window_layout.h"
#include "startup/program_shell.h"
#include "win32/dialogs.h"
#include "win32/contents_window.h"
#include "win32/folder_window.h"
#include "win32/mods_window.h"
#include "win32/window_frontend.h"
#include "win32/window_look.h"

namespace mw {

class Win32MainWindow : public ProgramWindow,
                        public Win32WindowFrontend,
                        public MainWindowFields,
                        public ProgramShell {
public:
    // Creation runs the start-up fill. The state lives as long as the window.
    Win32MainWindow(RunState& state, SettingsFactory openSettings, Win32Dialogs& boxes);
    ~Win32MainWindow() override;

    HWND Handle() const { return window_; }
    // The controls, by their captions' order: for the tests.
    enum Control {
        SourceLabel, SelectFolderButton, SourceEdit, SourceBrowse, ArchiveLabel, Gp4PathButton, ArchiveEdit,
        ArchiveBrowse, CreateButton, UpdateButton, ExtractButton, UpdateTracksButton, StatusBar,
        // Over the status bar's right end while an operation runs; Escape does the same.
        CancelButton,
        // "Undo last update" of the archive field's wad, enabled while it has an update to undo.
        UndoButton, ContentsButton, ModsButton, ControlCount
    };
    HWND ControlHandle(Control control) const { return controls_[control]; }
    FolderWindow& FolderChooser() const { return *folderChooser_; }
    FolderWindow& ManualPath() const { return *manualPath_; }
    // The contents window, once an archive was opened.
    Win32ContentsWindow* ContentsView() const { return contents_.get(); }
    // The Mods window, once opened.
    Win32ModsWindow* ModsView() const { return mods_.get(); }

    // The fields' texts, which a click puts in its request.
    std::string SourceText() const;
    std::string ArchiveText() const;
    // MainWindowFields: the texts.
    void SetSourceText(const std::string& text) override;
    void SetArchiveText(const std::string& text) override;
    // Frontend: the rest is every window's (Win32WindowFrontend).
    std::optional<std::string> AskSaveLocation(const SaveRequest& request) override;

    // MainWindowFields
    void SetSourceStartFolder(const std::string& folder) override { sourceStart_ = folder; }
    void SetArchiveStartFolder(const std::string& folder) override { archiveStart_ = folder; }

    // A key the window takes before the dialog navigation does; true when taken.
    bool TakeKey(const MSG& message);

    // ProgramShell
    Frontend& MainFrontend() override { return *this; }
    MainWindowFields& MainFields() override { return *this; }
    std::unique_ptr<SettingsStore> OpenSettings() override { return openSettings_(); }
    void ShowMainWindow() override;
    void ShowContents() override;
    // The mods of the archive field's installation, or of the one found (Ctrl+M).
    void ShowMods();

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void CreateControls();
    void PlaceControls() override;
    void OnCommand(int id);
    // Runs a handler with input held back until it ends, then shows its
    // archive again in the contents window.
    void RunHandlerHeldBack(const std::function<void()>& handler);
    // Runs an operation off the window's thread, then updates the undo
    // button and the contents window.
    void RunOperation(const std::function<void(Frontend&)>& operation);
    // Enables the undo button when the archive field's wad has an update to undo.
    void UpdateUndoButton();
    void Browse(Control edit, const FileFieldDialog& look, std::string& startFolder);
    // The parts of the run state that the start-up fill resets.
    StartupState StartupView();
    void DropFiles(HDROP drop);

    RunState& state_;
    SettingsFactory openSettings_;
    HWND controls_[ControlCount] = {};
    HWND toolTips_ = nullptr;
    std::wstring undoToolTip_;  // the text the undo button's tool tip points at
    // The button pictures, loaded at the size the window's DPI wants.
    HICON pictures_[ControlCount] = {};
    std::string sourceStart_;
    std::string archiveStart_;
    std::unique_ptr<FolderWindow> folderChooser_;
    std::unique_ptr<FolderWindow> manualPath_;
    std::unique_ptr<Win32ContentsWindow> contents_;
    std::unique_ptr<Win32ModsWindow> mods_;
    // The archive another start handed over, until it is opened.
    std::string handedOver_;
    static constexpr UINT kOpenHandedOver = WM_APP + 1;
};

}  // namespace mw
