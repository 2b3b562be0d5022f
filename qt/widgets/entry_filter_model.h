// The entries a contents view shows, sorted by the column the user chose:
// those below the chosen folder that the filter text finds.
#pragma once

#include <string>

#include <QSortFilterProxyModel>

#include "ops/archive_contents.h"

namespace mw {

class EntryTableModel;

class EntryFilterModel : public QSortFilterProxyModel {
    Q_OBJECT

public:
    explicit EntryFilterModel(EntryTableModel& entries, QObject* parent = nullptr);

    // folder "" shows every folder; an empty text hides nothing.
    void SetFilter(const std::string& folder, const std::string& text);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;
    // Straight from the entries: the index, the name as names are compared, the size.
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;

private:
    EntryTableModel& entries_;
    EntryFilter filter_{{}, {}};
};

}  // namespace mw
