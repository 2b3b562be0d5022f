// What a search across the installation found, as a table: archive, entry
// and size, one row per entry, filled as the search reports them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <QAbstractTableModel>

#include "ops/find_entries.h"

namespace mw {

class FoundEntryModel : public QAbstractTableModel, public FoundEntries {
    Q_OBJECT

public:
    enum Column { kArchiveColumn, kEntryColumn, kSizeColumn, kColumnCount };

    using Row = FoundEntry;

    explicit FoundEntryModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}

    // Empties the table before a new search.
    void Clear();
    const Row& At(int row) const { return found_.Rows()[static_cast<std::size_t>(row)]; }
    // The archives the search could not read.
    std::size_t Failures() const { return found_.Failures(); }
    // The folders it could not read.
    std::size_t FolderFailures() const { return found_.FolderFailures(); }

    // FoundEntries.
    void Found(const std::string& archive, const WadEntry& entry) override;
    void Failed(const std::string& archive, const AppError& error) override;
    void FolderFailed(const AppError& error) override;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    FoundEntryList found_;
};

}  // namespace mw
