#include "qt/widgets/entry_table_model.h"

#include <QDir>
#include <QLocale>
#include <QMimeData>

#include "core/text.h"
#include "qt/qstring_conversion.h"

namespace mw {
namespace {

// Marks the table's own drags, so that they are not dropped back as new files.
const QString kOwnDragFormat = QStringLiteral("application/x-mendwright-entries");

QStringList LocalPaths(const QMimeData& data)
{
    QStringList paths;
    for (const QUrl& url : data.urls())
        if (url.isLocalFile())
            paths.append(QDir::toNativeSeparators(url.toLocalFile()));
    return paths;
}

}  // namespace

EntryTableModel::EntryTableModel(QObject* parent) : QAbstractTableModel(parent) {}

void EntryTableModel::SetContents(ArchiveContents contents)
{
    beginResetModel();
    contents_ = std::move(contents);
    names_.clear();
    names_.reserve(contents_.entries.size());
    for (const WadEntry& entry : contents_.entries)
        names_.push_back(ToQt(PrintableText(EntryName(entry))));
    order_ = EntryOrder(contents_.entries);
    endResetModel();
}

int EntryTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(contents_.entries.size());
}

int EntryTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant EntryTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const int row = index.row();
    const WadEntry& entry = Entry(row);
    if (role == Qt::TextAlignmentRole && index.column() != kNameColumn)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case kIndexColumn: return row;
    case kNameColumn: return names_[static_cast<std::size_t>(row)];
    case kSizeColumn:
        return QLocale().toString(entry.Size) + (LiesPastEnd(contents_, entry) ? QString::fromLatin1(kPastEndMark) : QString());
    default: return {};
    }
}

QVariant EntryTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case kIndexColumn: return QStringLiteral("#");
    case kNameColumn: return QStringLiteral("Name");
    case kSizeColumn: return QStringLiteral("Size");
    default: return {};
    }
}

Qt::ItemFlags EntryTableModel::flags(const QModelIndex& index) const
{
    const Qt::ItemFlags flags = QAbstractTableModel::flags(index) | Qt::ItemIsDropEnabled;
    return index.isValid() ? flags | Qt::ItemIsDragEnabled : flags;
}

QStringList EntryTableModel::mimeTypes() const
{
    return {QStringLiteral("text/uri-list")};
}

QMimeData* EntryTableModel::mimeData(const QModelIndexList& indexes) const
{
    if (!dragOut_)
        return nullptr;
    std::vector<std::int32_t> rows;
    for (const QModelIndex& index : indexes)
        if (index.column() == kNameColumn)
            rows.push_back(index.row());
    const QList<QUrl> urls = dragOut_(rows);
    if (urls.isEmpty())
        return nullptr;
    auto* data = new QMimeData;
    data->setUrls(urls);
    data->setData(kOwnDragFormat, {});
    return data;
}

Qt::DropActions EntryTableModel::supportedDragActions() const
{
    return Qt::CopyAction;
}

Qt::DropActions EntryTableModel::supportedDropActions() const
{
    return Qt::CopyAction;
}

bool EntryTableModel::canDropMimeData(const QMimeData* data, Qt::DropAction /*action*/, int /*row*/,
                                      int /*column*/, const QModelIndex& /*parent*/) const
{
    return dropIn_ && data && !data->hasFormat(kOwnDragFormat) && !LocalPaths(*data).isEmpty();
}

bool EntryTableModel::dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                                   const QModelIndex& parent)
{
    if (!canDropMimeData(data, action, row, column, parent))
        return false;
    dropIn_(LocalPaths(*data));
    return true;
}

}  // namespace mw
