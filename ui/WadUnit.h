// TForm1: the main window. Its controls, the small handlers that open the
// small windows and keep the source field's start folder, and the wiring of
// the four operation buttons; it is the operations' frontend and the
// start-up fill's fields.
#pragma once

#include <string>

#include <QWidget>

#include "ops/frontend.h"
#include "ops/run_state.h"
#include "settings/startup_fill.h"
#include "ui/dialogs.h"
#include "ui/file_dialogs.h"

class QLabel;
class QPushButton;

namespace mw {

class TLMDButton;
class TLMDFileOpenEdit;
class TLMDProgressFill;
class TForm2;
class TForm5;

class TForm1 : public QWidget, public Frontend, public MainWindowFields {
    Q_OBJECT

public:
    // Creation runs FormCreate. The state lives as long as the window.
    TForm1(RunState& state, SettingsFactory openSettings, Dialogs& dialogs = PlatformDialogs(),
           QWidget* parent = nullptr);
    ~TForm1() override;

    // The folder chooser and the Manual Path Entry window, created after
    // this window; the two buttons open them.
    void SetSmallWindows(TForm2* folderChooser, TForm5* manualPath);

    QLabel* Label1;
    QPushButton* SelectFolder;
    TLMDFileOpenEdit* LMDFile1;
    QLabel* Label2;
    QPushButton* BtnGP4Path;
    TLMDFileOpenEdit* LMDFile2;
    TLMDButton* BtnCreateWad;
    TLMDButton* BtnUpdate1Wad;
    TLMDButton* BtnExtractWad;
    TLMDButton* BtnUpdateTracks;
    TLMDProgressFill* ProgressBar;
    // The save dialog's properties; a fresh dialog is run from them.
    FileDialogRequest SaveDialog1;

    // Handlers. Every error that ends one is shown in the default error
    // display and the window goes on.
    void FormCreate();
    // The parts of the run state that the start-up fill resets.
    mw::StartupState StartupView();
    void SelectFolderClick();
    void SetGP4Path();
    void LMDFile1Click();
    void LMDCreateWadClick();
    void ExtractClick();
    void UpdateWad();
    void UpdateTrackWads();
    // The Manual Path Entry window's OK with the folder chosen there:
    // FormCreate runs again when the folder holds GP4.exe.
    void GP4FolderChosen(const QString& folder);

    // Frontend (and, for the texts, MainWindowFields).
    std::string SourceText() override;
    void SetSourceText(const std::string& text) override;
    std::string ArchiveText() override;
    void SetArchiveText(const std::string& text) override;
    void SetStatusText(const std::string& text) override;
    void SetPosition(int percent) override;
    void RepaintProgress() override;
    void RepaintWindow() override;
    void ShowUserError(const std::string& message) override;
    void SetSaveFileName(const std::string& name) override;
    void SetSaveFilter(const std::string& filter) override;
    bool RunSaveDialog() override;
    std::string SaveFileName() override;

    // MainWindowFields: the folders the fields' browse dialogs open in.
    void SetSourceStartFolder(const std::string& folder) override;
    void SetArchiveStartFolder(const std::string& folder) override;

private:
    void CreateControls();
    void SetTabOrder();
    void Connect();

    RunState& state_;
    SettingsFactory openSettings_;
    Dialogs& dialogs_;
    TForm2* folderChooser_ = nullptr;
    TForm5* manualPath_ = nullptr;
};

}  // namespace mw
