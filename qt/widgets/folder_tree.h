// The folder tree of the two small windows.
// Its root node is the desktop; when first shown that node is expanded one
// level and selected. Optionally it keeps the selected folder's subfolders
// up to date while the folder changes on disk.
#pragma once

#include <QTreeView>

class QFileSystemWatcher;

namespace mw {

class FolderTreeModel;

class FolderTree : public QTreeView {
    Q_OBJECT

public:
    explicit FolderTree(QWidget* parent = nullptr);
    // A tree over a desktop folder of the caller's choice (tests).
    FolderTree(const QString& desktopFolder, QWidget* parent);

    FolderTreeModel& Folders() const { return *folders_; }

    // The path text of the selected folder; empty when none is selected.
    QString SelectedPath() const;
    // Selects a node (and shows it).
    void Select(const QModelIndex& index);

    // Watches the selected folder (the root before any selection) and reads
    // its subfolders again whenever it changes.
    void SetAutoRefresh(bool on);
    bool AutoRefresh() const { return watcher_ != nullptr; }
    // The folder being watched; empty without automatic refresh.
    QString WatchedFolder() const;

protected:
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    void FillOnce();
    void Watch(const QModelIndex& index);

    FolderTreeModel* folders_;
    QFileSystemWatcher* watcher_ = nullptr;
    bool filled_ = false;
};

}  // namespace mw
