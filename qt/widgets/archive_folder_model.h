// The folder tree of a contents view: the archive's own node, standing for
// all of its entries, and below it the folders that the names make.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include <QStandardItemModel>

namespace mw {

class ArchiveFolderModel : public QStandardItemModel {
    Q_OBJECT

public:
    explicit ArchiveFolderModel(QObject* parent = nullptr);

    // folders as EntryFolders gives them: parents before their children.
    void SetFolders(const QString& archiveName, const std::vector<std::string>& folders);

    // The folder a node stands for; "" for the archive's own node.
    static std::string FolderOf(const QModelIndex& index);
    // The node of a folder, in any case; the archive's own node when there is none.
    QModelIndex IndexOf(const std::string& folder) const;

private:
    std::unordered_map<std::string, QStandardItem*> byKey_;  // lower-case folder, "" the archive
};

}  // namespace mw
