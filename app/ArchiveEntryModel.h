#pragma once
// The archive browser's table: one row per archived entry, as the archive's list gives them, with
// the time of download, model, title, period, readings, excursions and source. The rows are loaded
// once per query; sorting (through a sort proxy) reads each column's value under kSortRole.
#include <QAbstractTableModel>
#include <vector>

#include "archive/ArchiveTypes.h"

namespace veldrin {

class ArchiveEntryModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    enum Column { Id, Downloaded, Model, Title, Period, Readings, Excursions, Source, ColumnCount };
    // The value a column sorts by: numbers and times as numbers, texts as texts.
    static constexpr int kSortRole = Qt::UserRole;

    using QAbstractTableModel::QAbstractTableModel;

    void SetEntries(std::vector<archive::EntrySummary> entries);
    const archive::EntrySummary& Entry(int row) const { return entries_.at(static_cast<std::size_t>(row)); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    QString Text(const archive::EntrySummary& entry, int column) const;

    std::vector<archive::EntrySummary> entries_;
};

// "单温度记录仪", … for the archive's model number.
QString ArchivedModelName(int model);
// Where an entry came from: its device (by-id name when known), or "导入文件".
QString ArchivedSource(const archive::EntrySummary& entry);

}  // namespace veldrin
