// The main window. Its controls, the small handlers that open the
// small windows and keep the source field's start folder, and the wiring of
// the four operation buttons; it is the operations' frontend and the
// start-up fill's fields.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include <QWidget>

#include "ops/run_state.h"
#include "settings/startup_fill.h"
#include "qt/dialogs/dialogs.h"
#include "qt/dialogs/file_dialogs.h"
#include "qt/window_frontend.h"

class QLabel;
class QPushButton;
class QToolButton;

namespace mw {

class PictureButton;
class FileField;
class StatusBar;
class FolderChooser;
class ManualPathWindow;
class ContentsWindow;
class ModsWindow;

class MainWindow : public QWidget, public WindowFrontend, public MainWindowFields {
    Q_OBJECT

public:
    // Creation runs the start-up fill. The state lives as long as the window.
    MainWindow(RunState& state, SettingsFactory openSettings, Dialogs& dialogs = PlatformDialogs(),
           QWidget* parent = nullptr);
    ~MainWindow() override;

    // The folder chooser and the Manual Path Entry window, created after
    // this window; the two buttons open them.
    void SetSmallWindows(FolderChooser* folderChooser, ManualPathWindow* manualPath);

    // The controls, for the tests and the program's start-up.
    QLabel* SourceLabel() const { return sourceLabel_; }
    QPushButton* SelectFolderButton() const { return selectFolderButton_; }
    FileField* SourceField() const { return sourceField_; }
    QLabel* ArchiveLabel() const { return archiveLabel_; }
    QPushButton* Gp4PathButton() const { return gp4PathButton_; }
    FileField* ArchiveField() const { return archiveField_; }
    // The archive field's button that shows the archive's contents.
    QToolButton* ContentsButton() const { return contentsButton_; }
    // The archive field's "Undo last update" button, enabled while the
    // field's archive has an update to undo.
    QToolButton* UndoButton() const { return undoButton_; }
    // The archive field's button that opens the Mods window.
    QToolButton* ModsButton() const { return modsButton_; }
    // The contents window, made when it is first needed.
    ContentsWindow& Contents();
    // The Mods window, made when it is first needed.
    ModsWindow& Mods();
    PictureButton* CreateButton() const { return createButton_; }
    PictureButton* UpdateButton() const { return updateButton_; }
    PictureButton* ExtractButton() const { return extractButton_; }
    PictureButton* UpdateTracksButton() const { return updateTracksButton_; }
    StatusBar* Status() const { return statusBar_; }
    // Over the status bar's right end while an operation runs; Escape does
    // the same.
    QPushButton* CancelButton() const { return cancelButton_; }
    // The save dialog's properties; a fresh dialog is run from them.
    const FileDialogRequest& SaveDialog() const { return saveDialog_; }

    // Handlers. Every error that ends one is shown in the default error
    // display and the window goes on.
    // The start-up fill of the fields from the settings and the installation.
    void FillFromSettings();
    // The parts of the run state that the start-up fill resets.
    mw::StartupState StartupView();
    void ShowFolderChooser();
    // Opens the Manual Path Entry window.
    void ChooseGp4Folder();
    // After the source field's browse: its dialog starts next time in the
    // folder of the file it names, when that file exists.
    void RememberSourceFolder();
    void CreateWad();
    void ExtractWad();
    void UpdateWad();
    void UpdateTrackWads();
    // The archive field's archive in the contents window (the field's
    // button, a double click in it, Ctrl+O).
    void ShowContents();
    // The mods of the archive field's installation (or the one found) in
    // the Mods window (the field's button, Ctrl+M).
    void ShowMods();
    // "Undo last update" of the archive field's archive, after a question
    // that names what goes back.
    void UndoLastUpdate();
    // Enables the undo button when the archive field's archive has an
    // update to undo.
    void UpdateUndoButton();
    // The Manual Path Entry window's OK with the folder chosen there: the
    // start-up fill runs again when the folder holds GP4.exe.
    void UseGp4Folder(const QString& folder);

    // The fields' texts, which a click puts in its request.
    std::string SourceText() const;
    std::string ArchiveText() const;
    // MainWindowFields: the texts.
    void SetSourceText(const std::string& text) override;
    void SetArchiveText(const std::string& text) override;
    // Frontend.
    std::optional<std::string> AskSaveLocation(const SaveRequest& request) override;
    bool ConfirmChanges(const std::string& question) override;

    // MainWindowFields: the folders the fields' browse dialogs open in.
    void SetSourceStartFolder(const std::string& folder) override;
    void SetArchiveStartFolder(const std::string& folder) override;

protected:
    void showEvent(QShowEvent* event) override;
    // Coming back to the window: another window or program may have
    // updated or undone the archive.
    void changeEvent(QEvent* event) override;

private:
    void CreateControls();
    void SetTabOrder();
    void Connect();
    // Runs an operation off the window's thread with input held back until
    // it ends, then shows its archive again in the contents window.
    void RunOperation(const std::function<void(Frontend&)>& operation);
    // After archives may have changed: the undo button and the contents shown.
    void ShowChangedArchives();

    QLabel* sourceLabel_;
    QPushButton* selectFolderButton_;
    FileField* sourceField_;
    QLabel* archiveLabel_;
    QPushButton* gp4PathButton_;
    FileField* archiveField_;
    QToolButton* contentsButton_;
    QToolButton* undoButton_;
    QToolButton* modsButton_;
    PictureButton* createButton_;
    PictureButton* updateButton_;
    PictureButton* extractButton_;
    PictureButton* updateTracksButton_;
    QPushButton* cancelButton_;
    FileDialogRequest saveDialog_;

    RunState& state_;
    SettingsFactory openSettings_;
    FolderChooser* folderChooser_ = nullptr;
    ManualPathWindow* manualPath_ = nullptr;
    // A window of its own beside this one, never held above it.
    std::unique_ptr<ContentsWindow> contentsWindow_;
    std::unique_ptr<ModsWindow> modsWindow_;
};

}  // namespace mw
