// The contents window: what one archive holds, as a folder tree beside a
// sortable list of its entries that a filter narrows as it is typed, with
// the edits of ops/archive_edits on the selected entries. Entries drag out
// as files, and files dragged in are added below the folder shown. The
// window draws and wires; its handlers (startup/contents_handlers.h) and
// the operations hold the logic.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QList>
#include <QUrl>
#include <QWidget>

#include "ops/archive_contents.h"
#include "ops/run_state.h"
#include "qt/window_frontend.h"
#include "startup/contents_handlers.h"
#include "startup/contents_view.h"

class QAction;
class QLineEdit;
class QPushButton;
class QTemporaryDir;
class QTreeView;

namespace mw {

class ArchiveFolderModel;
class FindWindow;
class FoundEntryModel;
class EntryFilterModel;
class EntryTableModel;

class ContentsWindow : public QWidget, public WindowFrontend, public ContentsView, public ContentsDialogs {
    Q_OBJECT

public:
    ContentsWindow(RunState& state, Dialogs& dialogs, QWidget* parent = nullptr);
    ~ContentsWindow() override;

    // Reads the archive again, keeping the folder and the filter shown.
    void Reload() { handlers_.Reload(); }

    // The controls and models, for the tests.
    QLineEdit* FilterField() const { return filterField_; }
    QTreeView* FolderTree() const { return folderTree_; }
    QTreeView* EntryList() const { return entryList_; }
    StatusBar* Status() const { return statusBar_; }
    // Beside the status bar while an edit runs; Escape does the same.
    QPushButton* CancelButton() const { return cancelButton_; }
    QAction* ExtractAction() const { return extractAction_; }
    QAction* AddAction() const { return addAction_; }
    QAction* ReplaceAction() const { return replaceAction_; }
    QAction* RenameAction() const { return renameAction_; }
    QAction* RemoveAction() const { return removeAction_; }
    QAction* FindAction() const { return findAction_; }
    // The results of the last search, made by the first.
    FindWindow* Finds() const { return findWindow_.get(); }
    EntryTableModel& Entries() const { return *entries_; }
    EntryFilterModel& Shown() const { return *shown_; }
    void SelectFolder(const std::string& folder);

    // ContentsView: what the window shows.
    const ArchiveContents& Contents() const override;
    std::vector<std::int32_t> SelectedEntries() const override;
    std::string CurrentFolder() const override;
    std::string FilterText() const override;
    std::string StatusText() const override;
    void SetStatusText(const std::string& text) override;
    void ShowContents(ArchiveContents contents) override;
    void ShowContentsAgain(ArchiveContents contents, const std::string& folder) override;
    void SelectEntryAlone(std::size_t index) override;
    FoundEntries& EmptyFinds() override;
    void ShowFinds(const std::string& pattern) override;
    // Lives as long as the window, so that the file manager the dragged
    // entries are dropped on can copy them when it likes.
    std::optional<std::string> DragFolder() override;
    bool RunWithErrorsShown(const std::function<void(Frontend&)>& work) override;
    bool RunWithInputHeld(const std::function<void(Frontend&)>& work) override;
    void RunEditOffThread(const std::function<void(Frontend&)>& edit) override;

    // ContentsDialogs.
    std::vector<std::string> ChooseFiles(const std::string& title, bool several) override;
    std::optional<std::string> ChooseFolder(const std::string& title, const std::string& startFolder) override;
    std::optional<std::string> AskText(const std::string& title, const std::string& label,
                                       const std::string& text) override;
    bool AskQuestion(const std::string& question) override;

    // Frontend. The edits use the status bar and the boxes; the fields and
    // the save dialog are the main window's, and an edit never asks for them.
    std::optional<std::string> AskSaveLocation(const SaveRequest&) override { return std::nullopt; }

protected:
    // At rest the bar counts the entries shown.
    std::string RestingText() const override;
    bool StatusAtRest() const override { return WindowFrontend::StatusAtRest(); }

private:
    void CreateControls();
    QAction* MakeAction(const QString& text, const QKeySequence& key, void (ContentsHandlers::*handler)());
    void UpdateActions();
    void ApplyFilter();
    std::string ArchiveName() const;

    RunState& state_;
    ContentsHandlers handlers_{state_, *this, *this};
    EntryTableModel* entries_;
    EntryFilterModel* shown_;
    ArchiveFolderModel* folders_;
    QLineEdit* filterField_;
    QTreeView* folderTree_;
    QTreeView* entryList_;
    QAction* extractAction_;
    QAction* addAction_;
    QAction* replaceAction_;
    QAction* renameAction_;
    QAction* removeAction_;
    QAction* findAction_;
    QPushButton* cancelButton_;
    FoundEntryModel* found_;
    std::unique_ptr<FindWindow> findWindow_;
    std::unique_ptr<QTemporaryDir> dragFolder_;
};

}  // namespace mw
