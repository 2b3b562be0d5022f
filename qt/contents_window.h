// The contents window: what one archive holds, as a folder tree beside a
// sortable list of its entries that a filter narrows as it is typed, with
// the edits of ops/archive_edits on the selected entries. Entries drag out
// as files, and files dragged in are added below the folder shown. The
// window holds the wiring; the operations hold the logic.
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

class ContentsWindow : public QWidget, public WindowFrontend {
    Q_OBJECT

public:
    ContentsWindow(RunState& state, Dialogs& dialogs, QWidget* parent = nullptr);
    ~ContentsWindow() override;

    // Shows an archive's contents, all of its entries, in front.
    void ShowContents(ArchiveContents contents);
    // Reads the archive again, keeping the folder and the filter shown.
    void Reload();

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
    void AddDropped(const QStringList& paths);
    // Entries of every wad of the GP4 installation whose names match a
    // pattern asked for (the filter's text first), in the find window.
    void FindInGp4();
    // A row the search found: its wad shown here, that entry selected.
    void OpenFound(int row);
    // The selected rows extracted into a folder of the window's own, which
    // lives as long as the window, so that the file manager they are
    // dropped on can copy them when it likes.
    QList<QUrl> DragOut(const std::vector<std::int32_t>& rows);

    // Frontend. The edits use the status bar and the boxes; the fields and
    // the save dialog are the main window's, and an edit never asks for them.
    std::optional<std::string> AskSaveLocation(const SaveRequest&) override { return std::nullopt; }

protected:
    // At rest the bar counts the entries shown.
    std::string RestingText() const override;

private:
    void CreateControls();
    QAction* MakeAction(const QString& text, const QKeySequence& key, void (ContentsWindow::*handler)());
    void UpdateActions();
    void ApplyFilter();
    const ArchiveContents& Contents() const;
    std::string ArchiveName() const;
    // Runs an edit off the window's thread with input held back until it
    // ends (the Cancel button stops it), then reads the archive again.
    void RunEdit(const std::function<void(Frontend&)>& edit);

    RunState& state_;
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
    int drags_ = 0;
};

}  // namespace mw
