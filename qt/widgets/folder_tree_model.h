// The folders a folder tree offers. Its one root node
// stands for the desktop (the Desktop folder, or the home folder when there
// is none); below it come the home folder, the file system's root(s) and
// the desktop's own folders. Subfolders are listed when a node is first
// expanded; hidden folders and files are left out.
#pragma once

#include <memory>
#include <optional>
#include <vector>

#include <QAbstractItemModel>
#include <QFileIconProvider>

namespace mw {

class FolderTreeModel : public QAbstractItemModel {
    Q_OBJECT

public:
    // The desktop folder is given by the caller (tests), or found.
    explicit FolderTreeModel(QObject* parent = nullptr);
    FolderTreeModel(const QString& desktopFolder, QObject* parent);
    ~FolderTreeModel() override;

    static QString DefaultDesktopFolder();

    QModelIndex DesktopIndex() const;
    // The name the folder is known by for parsing (its full path), and the
    // text shown for it.
    QString ParsingName(const QModelIndex& index) const;
    QString DisplayName(const QModelIndex& index) const;
    // The index of the node below parent whose parsing name is given, or an
    // invalid one. Lists parent's subfolders when they were not yet listed.
    QModelIndex FindChild(const QModelIndex& parent, const QString& parsingName);

    // Reads the node's subfolders again: gone ones leave, new ones come in
    // at their place, the others keep their nodes (and their expansion).
    void Refresh(const QModelIndex& index);

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool hasChildren(const QModelIndex& parent = {}) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

private:
    struct Node;
    Node* NodeOf(const QModelIndex& index) const;
    QModelIndex IndexOf(const Node* node) const;

    std::unique_ptr<Node> desktop_;
    QFileIconProvider icons_;
};

}  // namespace mw
