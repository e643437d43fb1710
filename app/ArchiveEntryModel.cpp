#include "app/ArchiveEntryModel.h"

#include <QCoreApplication>
#include <QDateTime>

#include "logger/LoggerModel.h"

namespace veldrin {
namespace {

QString LocalTime(std::int64_t seconds) {
    return QDateTime::fromSecsSinceEpoch(seconds).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

}  // namespace

QString ArchivedModelName(int model) {
    const auto known = static_cast<LoggerModel>(model);
    if (known != LoggerModel::SingleTemperature && known != LoggerModel::TemperatureHumidity &&
        known != LoggerModel::DualTemperature)
        return QString::number(model);
    return QString::fromStdString(ShownModelText(Traits(known).displayName));
}

QString ArchivedSource(const archive::EntrySummary& entry) {
    if (entry.kind == archive::SourceKind::FileImport)
        return QCoreApplication::translate("veldrin::ArchiveEntryModel", "导入文件");
    const std::string& device =
        entry.provenance.byIdName.empty() ? entry.provenance.devicePath : entry.provenance.byIdName;
    return QString::fromStdString(device);
}

void ArchiveEntryModel::SetEntries(std::vector<archive::EntrySummary> entries) {
    beginResetModel();
    entries_ = std::move(entries);
    endResetModel();
}

int ArchiveEntryModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(entries_.size());
}

int ArchiveEntryModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ArchiveEntryModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const archive::EntrySummary& entry = Entry(index.row());
    if (role == Qt::DisplayRole)
        return Text(entry, index.column());
    if (role == kSortRole) {
        switch (index.column()) {
            case Id:
                return QVariant::fromValue<qlonglong>(entry.id);
            case Downloaded:
                return QVariant::fromValue<qlonglong>(entry.archivedAtMs);
            case Period:
                return QVariant::fromValue<qlonglong>(entry.start);
            case Readings:
                return entry.count;
            case Excursions:
                return entry.excursions;
            default:
                return Text(entry, index.column());
        }
    }
    if (role == Qt::TextAlignmentRole &&
        (index.column() == Id || index.column() == Readings || index.column() == Excursions))
        return QVariant::fromValue<int>(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QString ArchiveEntryModel::Text(const archive::EntrySummary& entry, int column) const {
    switch (column) {
        case Id:
            return QString::number(entry.id);
        case Downloaded:
            return QDateTime::fromMSecsSinceEpoch(entry.archivedAtMs)
                .toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        case Model:
            return ArchivedModelName(entry.model);
        case Title:
            return QString::fromStdString(entry.title) +
                   (entry.complete ? QString()
                                   : QCoreApplication::translate("veldrin::ArchiveEntryModel", "（不完整）"));
        case Period:
            return LocalTime(entry.start) + QStringLiteral(" — ") + LocalTime(entry.end);
        case Readings:
            return QString::number(entry.count);
        case Excursions:
            return QString::number(entry.excursions);
        case Source:
            return ArchivedSource(entry);
        default:
            return {};
    }
}

QVariant ArchiveEntryModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const char* const kHeaders[ColumnCount] = {
        QT_TRANSLATE_NOOP("veldrin::ArchiveEntryModel", "档案号"),
        QT_TRANSLATE_NOOP("veldrin::ArchiveEntryModel", "下载时间"),
        QT_TRANSLATE_NOOP("veldrin::ArchiveEntryModel", "型号"),
        QT_TRANSLATE_NOOP("veldrin::ArchiveEntryModel", "标题"),
        QT_TRANSLATE_NOOP("veldrin::ArchiveEntryModel", "时段"),
        QT_TRANSLATE_NOOP("veldrin::ArchiveEntryModel", "读数"),
        QT_TRANSLATE_NOOP("veldrin::ArchiveEntryModel", "超限"),
        QT_TRANSLATE_NOOP("veldrin::ArchiveEntryModel", "来源")};
    return section >= 0 && section < ColumnCount ? tr(kHeaders[section]) : QVariant();
}

}  // namespace veldrin
