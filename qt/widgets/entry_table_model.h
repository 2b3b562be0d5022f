// An archive's entries as a table: index (the directory's order), name and
// size, one row per entry however many there are. Rows drag out as the
// files an extraction makes of them; local files dropped in are handed on.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include <QAbstractTableModel>
#include <QList>
#include <QStringList>
#include <QUrl>

#include "ops/archive_contents.h"
#include "ops/entry_order.h"

namespace mw {

class EntryTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { kIndexColumn, kNameColumn, kSizeColumn, kColumnCount };

    explicit EntryTableModel(QObject* parent = nullptr);

    void SetContents(ArchiveContents contents);
    const ArchiveContents& Contents() const { return contents_; }
    const WadEntry& Entry(int row) const { return contents_.entries[static_cast<std::size_t>(row)]; }
    const EntryOrder& Order() const { return order_; }

    // The files that rows become when they are dragged out, as URLs; none
    // when they could not be made.
    using DragOut = std::function<QList<QUrl>(const std::vector<std::int32_t>& rows)>;
    void SetDragOut(DragOut dragOut) { dragOut_ = std::move(dragOut); }
    // Local files and folders dropped on the table.
    using DropIn = std::function<void(const QStringList& paths)>;
    void SetDropIn(DropIn dropIn) { dropIn_ = std::move(dropIn); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    Qt::DropActions supportedDragActions() const override;
    Qt::DropActions supportedDropActions() const override;
    bool canDropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                         const QModelIndex& parent) const override;
    bool dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                      const QModelIndex& parent) override;

private:
    ArchiveContents contents_;
    std::vector<QString> names_;  // as shown
    EntryOrder order_;
    DragOut dragOut_;
    DropIn dropIn_;
};

}  // namespace mw
