#include "qt/widgets/found_entry_model.h"

#include <QLocale>

#include "core/entry_text.h"
#include "core/text.h"
#include "qt/qstring_conversion.h"

namespace mw {

void FoundEntryModel::Clear()
{
    beginResetModel();
    found_.Clear();
    endResetModel();
}

void FoundEntryModel::Found(const std::string& archive, const WadEntry& entry)
{
    const int row = rowCount();
    beginInsertRows({}, row, row);
    found_.Found(archive, entry);
    endInsertRows();
}

void FoundEntryModel::Failed(const std::string& archive, const AppError& error)
{
    found_.Failed(archive, error);
}

void FoundEntryModel::FolderFailed(const AppError& error)
{
    found_.FolderFailed(error);
}

int FoundEntryModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(found_.Rows().size());
}

int FoundEntryModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant FoundEntryModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || role != Qt::DisplayRole)
        return {};
    const Row& row = At(index.row());
    switch (index.column()) {
    case kArchiveColumn: return ToQt(PrintableText(row.archive));
    case kEntryColumn: return ToQt(PrintableText(ShownEntryName(EntryName(row.entry))));
    case kSizeColumn: return QLocale().toString(row.entry.Size);
    default: return {};
    }
}

QVariant FoundEntryModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case kArchiveColumn: return QStringLiteral("Wad");
    case kEntryColumn: return QStringLiteral("Entry");
    case kSizeColumn: return QStringLiteral("Size");
    default: return {};
    }
}

}  // namespace mw
