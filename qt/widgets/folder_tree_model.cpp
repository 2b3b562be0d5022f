#include "qt/widgets/folder_tree_model.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QStandardPaths>

namespace mw {

struct FolderTreeModel::Node {
    QString path;  // with "/" between levels, as Qt writes paths
    QString display;
    QFileIconProvider::IconType icon = QFileIconProvider::Folder;
    Node* parent = nullptr;
    std::vector<std::unique_ptr<Node>> children;
    // The desktop's first children (home folder, file system roots) are not
    // subfolders of its folder; a refresh leaves them alone.
    std::size_t fixed = 0;
    bool listed = false;
    std::optional<bool> hasSubfolders;

    int Row() const
    {
        if (!parent)
            return 0;
        for (std::size_t i = 0; i < parent->children.size(); ++i)
            if (parent->children[i].get() == this)
                return static_cast<int>(i);
        return -1;
    }
};

namespace {

QStringList SubfolderNames(const QString& folder)
{
    return QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot,
                                  QDir::Name | QDir::IgnoreCase | QDir::LocaleAware);
}

bool HasSubfolders(const QString& folder)
{
    return QDirIterator(folder, QDir::Dirs | QDir::NoDotAndDotDot).hasNext();
}

QString ChildPath(const QString& folder, const QString& name)
{
    return folder.endsWith('/') ? folder + name : folder + '/' + name;
}

QString RootDisplayName(const QString& root)
{
    if (root == QLatin1String("/"))
        return QStringLiteral("File System");
    QString name = QDir::toNativeSeparators(root);
    if (name.size() > 1 && name.endsWith(QDir::separator()))
        name.chop(1);
    return name;
}

}  // namespace

FolderTreeModel::FolderTreeModel(QObject* parent) : FolderTreeModel(DefaultDesktopFolder(), parent) {}

FolderTreeModel::FolderTreeModel(const QString& desktopFolder, QObject* parent)
    : QAbstractItemModel(parent), desktop_(std::make_unique<Node>())
{
    desktop_->path = QDir::cleanPath(desktopFolder);
    desktop_->display = QFileInfo(desktop_->path).fileName();
    desktop_->icon = QFileIconProvider::Desktop;
}

FolderTreeModel::~FolderTreeModel() = default;

QString FolderTreeModel::DefaultDesktopFolder()
{
    const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    if (!desktop.isEmpty() && QFileInfo(desktop).isDir())
        return desktop;
    return QDir::homePath();
}

QModelIndex FolderTreeModel::DesktopIndex() const
{
    return createIndex(0, 0, desktop_.get());
}

QString FolderTreeModel::ParsingName(const QModelIndex& index) const
{
    const Node* node = NodeOf(index);
    return node ? QDir::toNativeSeparators(node->path) : QString();
}

QString FolderTreeModel::DisplayName(const QModelIndex& index) const
{
    const Node* node = NodeOf(index);
    return node ? node->display : QString();
}

QModelIndex FolderTreeModel::FindChild(const QModelIndex& parent, const QString& parsingName)
{
    if (canFetchMore(parent))
        fetchMore(parent);
    const int rows = rowCount(parent);
    for (int row = 0; row < rows; ++row) {
        const QModelIndex child = index(row, 0, parent);
        if (ParsingName(child) == parsingName)
            return child;
    }
    return {};
}

void FolderTreeModel::Refresh(const QModelIndex& index)
{
    Node* node = NodeOf(index);
    if (!node)
        return;
    if (!node->listed) {
        // Not listed yet: only whether it has subfolders can change. A view
        // asks hasChildren again only after a layout change, so that the
        // expander appears or goes at once.
        const std::optional<bool> had = node->hasSubfolders;
        node->hasSubfolders = HasSubfolders(node->path);
        if (had != node->hasSubfolders) {
            const QList<QPersistentModelIndex> parents{QPersistentModelIndex(index.parent())};
            emit layoutAboutToBeChanged(parents);
            emit layoutChanged(parents);
        }
        return;
    }
    const QStringList names = SubfolderNames(node->path);
    auto& children = node->children;

    // Gone folders leave, from the back so that rows stay valid.
    for (std::size_t i = children.size(); i-- > node->fixed;) {
        if (!names.contains(children[i]->display)) {
            const int row = static_cast<int>(i);
            beginRemoveRows(index, row, row);
            children.erase(children.begin() + static_cast<std::ptrdiff_t>(i));
            endRemoveRows();
        }
    }
    // The remaining nodes are in listing order; new names go in between.
    std::size_t position = node->fixed;
    for (const QString& name : names) {
        if (position < children.size() && children[position]->display == name) {
            ++position;
            continue;
        }
        auto child = std::make_unique<Node>();
        child->path = ChildPath(node->path, name);
        child->display = name;
        child->parent = node;
        const int row = static_cast<int>(position);
        beginInsertRows(index, row, row);
        children.insert(children.begin() + static_cast<std::ptrdiff_t>(position), std::move(child));
        endInsertRows();
        ++position;
    }
}

QModelIndex FolderTreeModel::index(int row, int column, const QModelIndex& parent) const
{
    if (column != 0 || row < 0)
        return {};
    if (!parent.isValid())
        return row == 0 ? DesktopIndex() : QModelIndex();
    const Node* node = NodeOf(parent);
    if (!node || row >= static_cast<int>(node->children.size()))
        return {};
    return createIndex(row, 0, node->children[static_cast<std::size_t>(row)].get());
}

QModelIndex FolderTreeModel::parent(const QModelIndex& child) const
{
    const Node* node = NodeOf(child);
    if (!node || !node->parent)
        return {};
    return IndexOf(node->parent);
}

int FolderTreeModel::rowCount(const QModelIndex& parent) const
{
    if (!parent.isValid())
        return 1;
    if (parent.column() != 0)
        return 0;
    return static_cast<int>(NodeOf(parent)->children.size());
}

int FolderTreeModel::columnCount(const QModelIndex&) const
{
    return 1;
}

QVariant FolderTreeModel::data(const QModelIndex& index, int role) const
{
    const Node* node = NodeOf(index);
    if (!node)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return node->display;
    case Qt::DecorationRole:
        return icons_.icon(node->icon);
    case Qt::ToolTipRole:
        return ParsingName(index);
    default:
        return {};
    }
}

bool FolderTreeModel::hasChildren(const QModelIndex& parent) const
{
    if (!parent.isValid())
        return true;
    Node* node = NodeOf(parent);
    if (node->listed)
        return !node->children.empty();
    if (node == desktop_.get())
        return true;
    if (!node->hasSubfolders)
        node->hasSubfolders = HasSubfolders(node->path);
    return *node->hasSubfolders;
}

bool FolderTreeModel::canFetchMore(const QModelIndex& parent) const
{
    const Node* node = NodeOf(parent);
    return node && !node->listed;
}

void FolderTreeModel::fetchMore(const QModelIndex& parent)
{
    Node* node = NodeOf(parent);
    if (!node || node->listed)
        return;
    std::vector<std::unique_ptr<Node>> children;
    const auto add = [&](const QString& path, const QString& display, QFileIconProvider::IconType icon) {
        auto child = std::make_unique<Node>();
        child->path = path;
        child->display = display;
        child->icon = icon;
        child->parent = node;
        children.push_back(std::move(child));
    };
    if (node == desktop_.get()) {
        const QString home = QDir::cleanPath(QDir::homePath());
        if (home != node->path)
            add(home, QFileInfo(home).fileName(), QFileIconProvider::Folder);
        for (const QFileInfo& root : QDir::drives())
            add(root.absoluteFilePath(), RootDisplayName(root.absoluteFilePath()), QFileIconProvider::Drive);
        node->fixed = children.size();
    }
    for (const QString& name : SubfolderNames(node->path))
        add(ChildPath(node->path, name), name, QFileIconProvider::Folder);

    node->listed = true;
    if (children.empty())
        return;
    beginInsertRows(parent, 0, static_cast<int>(children.size()) - 1);
    node->children = std::move(children);
    endInsertRows();
}

FolderTreeModel::Node* FolderTreeModel::NodeOf(const QModelIndex& index) const
{
    if (!index.isValid() || index.model() != this)
        return nullptr;
    return static_cast<Node*>(index.internalPointer());
}

QModelIndex FolderTreeModel::IndexOf(const Node* node) const
{
    return createIndex(node->Row(), 0, const_cast<Node*>(node));
}

}  // namespace mw
