#include "ui/widgets/entry_filter_model.h"

#include "ui/widgets/entry_table_model.h"

namespace mw {

EntryFilterModel::EntryFilterModel(EntryTableModel& entries, QObject* parent)
    : QSortFilterProxyModel(parent), entries_(entries)
{
    setSourceModel(&entries);
    setSortRole(EntryTableModel::kSortRole);
    setSortCaseSensitivity(Qt::CaseInsensitive);
}

void EntryFilterModel::SetFilter(const std::string& folder, const std::string& text)
{
    filter_ = EntryFilter(folder, text);
    invalidateRowsFilter();
}

bool EntryFilterModel::filterAcceptsRow(int sourceRow, const QModelIndex& /*sourceParent*/) const
{
    return filter_.Shows(EntryName(entries_.Entry(sourceRow)));
}

}  // namespace mw
