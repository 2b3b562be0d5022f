// The Mods window in Win32: the installed mods of one installation in
// install order with a box that enables and disables each, the selected
// mod's entries and who the game reads each from, Enable, Disable and
// Remove, and the installation's status. Changes run off the window's
// thread with progress and Cancel, as the contents window's edits do;
// startup/mods_window_model holds what is shown and asked.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "ops/mods/mod_changes.h"
#include "ops/run_state.h"
#include "startup/mods_window_model.h"
#include "win32/dialogs.h"
#include "win32/window_frontend.h"
#include "win32/window_look.h"

namespace mw {

class Win32ModsWindow : public ProgramWindow, public Win32WindowFrontend {
public:
    // changed runs after every change, which may have written archives.
    Win32ModsWindow(HWND owner, RunState& state, Win32Dialogs& boxes, std::function<void()> changed);
    ~Win32ModsWindow() override;
    Win32ModsWindow(const Win32ModsWindow&) = delete;
    Win32ModsWindow& operator=(const Win32ModsWindow&) = delete;

    // The controls, in their order on screen: for the tests.
    enum Control {
        Summary, ModList, EntryList, EnableButton, DisableButton, RemoveButton, InstallationStatus, StatusBar,
        // Over the status bar's right end while a change runs; Escape does the same.
        CancelButton, ControlCount
    };
    HWND Handle() const { return window_; }
    HWND ControlHandle(Control control) const { return controls_[control]; }

    // Shows the mods of the installation scope names ("" for none), in
    // front; beside the owner the first time.
    void ShowMods(const std::string& scope);
    // Reads the ledger again, keeping the selected mod.
    void Reload();
    void SelectMod(int row);

    // Handlers, on the selected mod.
    void EnableSelected();
    void DisableSelected();
    // After a question that names what goes back; the Delete key on the list too.
    void RemoveSelected();

    // Frontend: the status bar and the program's boxes; a change asks for no file.
    std::optional<std::string> AskSaveLocation(const SaveRequest&) override { return std::nullopt; }

private:
    static constexpr int kFirstControlId = 100;

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void CreateControls();
    void PlaceControls() override;
    void LayOut();
    int SelectedRow() const;
    void ShowEntries();
    void UpdateButtons();
    bool OnNotify(const NMHDR& header, LRESULT& result);
    void Change(ModAction action);
    // Runs a change off the window's thread, then shows the ledger again.
    void RunChange(const ModChangeRequest& request);

    RunState& state_;
    std::function<void()> changed_;
    std::unique_ptr<ModsWindowModel> model_;
    HWND controls_[ControlCount] = {};
    bool filling_ = false;  // while the list is filled, its boxes change nothing
    bool placed_ = false;
};

}  // namespace mw
