// The Mods window: the installed mods of one installation in install order
// with a box that enables and disables each, the selected mod's entries and
// who the game reads each from, Enable, Disable and Remove, and the
// installation's status. Changes run off the window's thread with progress
// and Cancel; startup/mods_window_model holds what is shown and asked.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include <QWidget>

#include "ops/mods/mod_changes.h"
#include "ops/run_state.h"
#include "qt/window_frontend.h"
#include "startup/mods_window_model.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QStandardItemModel;
class QTreeView;

namespace mw {

class ModsWindow : public QWidget, public WindowFrontend {
    Q_OBJECT

public:
    // changed runs after every change, which may have written archives.
    ModsWindow(RunState& state, Dialogs& dialogs, std::function<void()> changed, QWidget* parent = nullptr);
    ~ModsWindow() override;

    // Shows the mods of the installation scope names ("" for none), in front.
    void ShowMods(const std::string& scope);
    // Reads the ledger again, keeping the selected mod.
    void Reload();

    // The controls, for the tests.
    QTreeView* ModList() const { return modList_; }
    QTreeView* EntryList() const { return entryList_; }
    QStandardItemModel& Mods() const { return *mods_; }
    QStandardItemModel& Entries() const { return *entries_; }
    QPushButton* EnableButton() const { return enableButton_; }
    QPushButton* DisableButton() const { return disableButton_; }
    QPushButton* RemoveButton() const { return removeButton_; }
    QPushButton* CancelButton() const { return cancelButton_; }
    QLabel* Summary() const { return summary_; }
    QPlainTextEdit* InstallationStatus() const { return installationStatus_; }
    StatusBar* Status() const { return statusBar_; }
    void SelectMod(int row);

    // Handlers, on the selected mod.
    void EnableSelected();
    void DisableSelected();
    // After a question that names what goes back.
    void RemoveSelected();

    // Frontend: a change asks for no file and no confirmation of its own.
    std::optional<std::string> AskSaveLocation(const SaveRequest&) override { return std::nullopt; }

private:
    void CreateControls();
    int SelectedRow() const;
    void ShowEntries();
    void UpdateButtons();
    void Change(ModAction action);
    // Runs a change off the window's thread, then shows the ledger again.
    void RunChange(const ModChangeRequest& request);

    RunState& state_;
    std::function<void()> changed_;
    std::unique_ptr<ModsWindowModel> model_;
    QStandardItemModel* mods_;
    QStandardItemModel* entries_;
    QLabel* summary_;
    QTreeView* modList_;
    QTreeView* entryList_;
    QPushButton* enableButton_;
    QPushButton* disableButton_;
    QPushButton* removeButton_;
    QPushButton* cancelButton_;
    QPlainTextEdit* installationStatus_;
    bool filling_ = false;  // while the list is filled, its boxes change nothing
};

}  // namespace mw
