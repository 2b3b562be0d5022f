#include "qt/widgets/archive_folder_model.h"

#include <QApplication>
#include <QStyle>

#include "core/path_helpers.h"
#include "core/text.h"
#include "qt/qstring_conversion.h"

namespace mw {
namespace {

constexpr int kFolderRole = Qt::UserRole;

}  // namespace

ArchiveFolderModel::ArchiveFolderModel(QObject* parent) : QStandardItemModel(parent) {}

void ArchiveFolderModel::SetFolders(const QString& archiveName, const std::vector<std::string>& folders)
{
    clear();
    byKey_.clear();
    const QIcon folderIcon = QApplication::style()->standardIcon(QStyle::SP_DirIcon);
    auto* archive = new QStandardItem(QApplication::style()->standardIcon(QStyle::SP_DriveHDIcon), archiveName);
    archive->setData(QString(), kFolderRole);
    archive->setEditable(false);
    appendRow(archive);
    byKey_.emplace(std::string(), archive);
    for (const std::string& folder : folders) {
        const std::size_t cut = folder.rfind(kEntrySeparator);
        const std::string key = LowerAscii(folder);
        const std::string parentKey = cut == std::string::npos ? std::string() : key.substr(0, cut);
        auto* item = new QStandardItem(folderIcon, ToQt(PrintableText(folder.substr(cut + 1))));
        item->setData(ToQt(folder), kFolderRole);
        item->setEditable(false);
        byKey_.at(parentKey)->appendRow(item);
        byKey_.emplace(key, item);
    }
}

std::string ArchiveFolderModel::FolderOf(const QModelIndex& index)
{
    return FromQt(index.data(kFolderRole).toString());
}

QModelIndex ArchiveFolderModel::IndexOf(const std::string& folder) const
{
    const auto found = byKey_.find(LowerAscii(folder));
    return found == byKey_.end() ? index(0, 0) : found->second->index();
}

}  // namespace mw
