#include "qt/widgets/entry_filter_model.h"

#include "qt/widgets/entry_table_model.h"

namespace mw {

EntryFilterModel::EntryFilterModel(EntryTableModel& entries, QObject* parent)
    : QSortFilterProxyModel(parent), entries_(entries)
{
    setSourceModel(&entries);
}

void EntryFilterModel::SetFilter(const std::string& folder, const std::string& text)
{
    filter_ = EntryFilter(folder, text);
    // One new layout: filtering row by row would tell the view of every
    // stretch of rows that went, tens of thousands for a pattern.
    invalidate();
}

bool EntryFilterModel::filterAcceptsRow(int sourceRow, const QModelIndex& /*sourceParent*/) const
{
    return filter_.Shows(EntryName(entries_.Entry(sourceRow)));
}

}  // namespace mw

namespace mw {

bool EntryFilterModel::lessThan(const QModelIndex& left, const QModelIndex& right) const
{
    // The table's columns stand in the order's.
    return entries_.Order().Before(static_cast<EntryColumn>(left.column()), left.row(), right.row());
}

}  // namespace mw
