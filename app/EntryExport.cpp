#include "app/EntryExport.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStringList>

#include "app/WindowArchive.h"
#include "archive/HistoryArchiving.h"
#include "files/CsvExport.h"
#include "files/DataFile.h"
#include "files/SafeSave.h"
#include "files/TextExport.h"
#include "print/ReportPdf.h"
#include "workbook/Workbook.h"

namespace veldrin {

QStringList EntryExportFilters() {
    return {QCoreApplication::translate("EntryExport", "数据文件 (*.Vdr)"),
            QCoreApplication::translate("EntryExport", "文本文件 (*.txt)"), QStringLiteral("CSV (*.csv)"),
            QStringLiteral("Excel (*.xlsx)"), QCoreApplication::translate("EntryExport", "报告 PDF (*.pdf)")};
}

QString ExportEntry(archive::Archive& archive, const archive::EntrySummary& entry, const QString& path,
                    TemperatureUnit unit) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    const std::string target = path.toStdString();
    Status written;
    if (suffix == QLatin1String("vdr") && entry.kind == archive::SourceKind::FileImport) {
        const std::vector<std::uint8_t> raw = archive.ReadRaw(entry.id);
        written = SaveFileAtomically(target,
                                     std::string_view(reinterpret_cast<const char*>(raw.data()), raw.size()));
    } else {
        const auto history = archive::EntryHistory(archive, entry.id);
        if (suffix == QLatin1String("vdr")) {
            written = WriteDataFile(target, *history);
        } else if (suffix == QLatin1String("txt")) {
            written = WriteTextExport(target, *history);
        } else if (suffix == QLatin1String("csv")) {
            written = WriteCsvExport(target, *history, unit);
        } else if (suffix == QLatin1String("xlsx")) {
            written = ExportXlsx(target, *history, kXlsxRowsPerSheet, unit);
        } else if (suffix == QLatin1String("pdf")) {
            ReportOptions options;
            options.archiveMark = archive::ArchiveMark(entry.id, entry.sha256);
            options.unit = unit;
            const ReportResult report = ExportReportPdf(*history, options, target);
            if (report.status != ReportStatus::Written)
                return QString::fromStdString(report.message);
        } else {
            return QCoreApplication::translate("EntryExport",
                                               "不认识的文件类型：.%1（可用 .Vdr、.txt、.csv、.xlsx、.pdf）")
                .arg(suffix);
        }
    }
    if (!written)
        return QString::fromStdString(written.reason);
    archive::RecordEvent(
        archive, archive::EventKind::Export, WindowActor(),
        archive::ExportDetail(suffix.toStdString(), QFileInfo(path).absoluteFilePath().toStdString()),
        entry.title, entry.id);
    return {};
}

}  // namespace veldrin
