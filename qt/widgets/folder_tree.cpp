#include "qt/widgets/folder_tree.h"

#include <QDir>
#include <QFileSystemWatcher>
#include <QMouseEvent>

#include "qt/widgets/folder_path.h"
#include "qt/widgets/folder_tree_model.h"

namespace mw {

namespace {
constexpr int kIndentation = 19;
}  // namespace

FolderTree::FolderTree(QWidget* parent) : FolderTree(FolderTreeModel::DefaultDesktopFolder(), parent) {}

FolderTree::FolderTree(const QString& desktopFolder, QWidget* parent)
    : QTreeView(parent), folders_(new FolderTreeModel(desktopFolder, this))
{
    setModel(folders_);
    setHeaderHidden(true);
    setIndentation(kIndentation);
    setRootIsDecorated(false);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformRowHeights(true);
}

QString FolderTree::SelectedPath() const
{
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    if (selected.isEmpty())
        return {};
    return FolderPathText(folders_->ParsingName(selected.first()), folders_->DisplayName(selected.first()));
}

void FolderTree::Select(const QModelIndex& index)
{
    setCurrentIndex(index);
    scrollTo(index);
}

void FolderTree::SetAutoRefresh(bool on)
{
    if (on == AutoRefresh())
        return;
    if (!on) {
        delete watcher_;
        watcher_ = nullptr;
        return;
    }
    watcher_ = new QFileSystemWatcher(this);
    connect(watcher_, &QFileSystemWatcher::directoryChanged, this, [this] {
        const QModelIndex current = currentIndex().isValid() ? currentIndex() : folders_->DesktopIndex();
        folders_->Refresh(current);
        // A folder removed and made again is no longer watched: watch anew.
        Watch(current);
    });
    Watch(currentIndex());
}

QString FolderTree::WatchedFolder() const
{
    if (!watcher_ || watcher_->directories().isEmpty())
        return {};
    return QDir::toNativeSeparators(watcher_->directories().first());
}

void FolderTree::showEvent(QShowEvent* event)
{
    QTreeView::showEvent(event);
    FillOnce();
}

void FolderTree::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton) {
        const QModelIndex index = indexAt(event->position().toPoint());
        if (index.isValid())
            Select(index);
        return;
    }
    QTreeView::mousePressEvent(event);
}

void FolderTree::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QTreeView::currentChanged(current, previous);
    if (watcher_)
        Watch(current);
}

void FolderTree::FillOnce()
{
    if (filled_)
        return;
    filled_ = true;
    const QModelIndex desktop = folders_->DesktopIndex();
    expand(desktop);
    Select(desktop);
}

void FolderTree::Watch(const QModelIndex& index)
{
    const QString wanted = folders_->ParsingName(index.isValid() ? index : folders_->DesktopIndex());
    const QStringList watched = watcher_->directories();
    if (watched.size() == 1 && QDir::toNativeSeparators(watched.first()) == wanted)
        return;
    if (!watched.isEmpty())
        watcher_->removePaths(watched);
    watcher_->addPath(QDir::fromNativeSeparators(wanted));
}

}  // namespace mw
