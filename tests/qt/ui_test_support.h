// What the window tests share: dialogs that the test answers instead of a
// person, settings kept in memory across runs of the start-up fill, and a
// GP4 installation that is a folder of the test's choice.
#pragma once

#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QString>
#include <QStringList>

#include "core/gp4_installation.h"
#include "core/settings_store.h"
#include "ops/run_state.h"
#include "settings/startup_fill.h"
#include "qt/dialogs/dialogs.h"

namespace mw::test {

// Answers the file dialogs from queues (an empty queue cancels) and records
// every dialog and message.
class FakeDialogs : public Dialogs {
public:
    std::optional<QString> RunOpenDialog(const FileDialogRequest& request) override;
    std::optional<QString> RunSaveDialog(const FileDialogRequest& request) override;
    QStringList RunOpenFilesDialog(const FileDialogRequest& request) override;
    std::optional<QString> ChooseFolder(const QString& title, const QString& startFolder) override;
    std::optional<QString> AskText(const QString& title, const QString& label, const QString& text) override;
    void ShowUserError(const QString& message) override;
    void ShowErrorDisplay(const QString& message, const QString& details) override;
    bool AskQuestion(const QString& question) override;

    std::deque<QString> openAnswers, saveAnswers, folderAnswers, textAnswers;
    std::deque<QStringList> openFilesAnswers;
    bool questionAnswer = false;
    std::vector<FileDialogRequest> openRequests, saveRequests;
    std::vector<QString> userErrors, errorDisplays, errorDetails, questions;
    std::vector<QString> textsProposed;  // the text each AskText box started with
};

// A settings store over a map that outlives the store, so that a fresh
// store (each run of the start-up fill opens one) sees the same values.
class SharedSettings : public SettingsStore {
public:
    explicit SharedSettings(std::shared_ptr<std::map<std::string, std::string>> values)
        : values_(std::move(values)) {}
    std::optional<std::string> Read(const std::string& name) override;
    void Write(const std::string& name, const std::string& text) override;

private:
    std::shared_ptr<std::map<std::string, std::string>> values_;
};

// The installation lookup over a folder: valid when it holds GP4.exe.
class FolderInstallation : public Gp4Installation {
public:
    explicit FolderInstallation(std::string folder) : folder_(std::move(folder)) {}
    void FindInstallationFolder(std::string& path) override;

private:
    std::string folder_;
};

// The state, settings and dialogs of one window under test.
struct WindowFixture {
    explicit WindowFixture(const std::string& gp4Folder = "/nonexistent-gp4");

    RunState state;
    std::shared_ptr<std::map<std::string, std::string>> settings =
        std::make_shared<std::map<std::string, std::string>>();
    int settingsOpened = 0;
    SettingsFactory openSettings;
    FakeDialogs dialogs;
};

}  // namespace mw::test
