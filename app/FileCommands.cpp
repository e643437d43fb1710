#include "app/FileCommands.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QStatusBar>

#include "app/CMainFrame.h"
#include "app/CVeldrinView.h"
#include "app/RecentFileList.h"
#include "app/Utf8Text.h"
#include "app/WindowArchive.h"
#include "app/Workspace.h"
#include "app/preview/CDlgPrintPreview.h"
#include "files/CsvExport.h"
#include "files/DataFile.h"
#include "files/DataFileCommands.h"
#include "files/TextExport.h"
#include "print/ReportPdf.h"
#include "workbook/Workbook.h"

namespace veldrin {
namespace {

QStringList NameFilters(std::string_view filter) {
    QStringList filters;
    for (const std::string& entry : QtNameFilters(filter)) {
        filters << QString::fromStdString(entry);
    }
    return filters;
}

}  // namespace

FileCommands::FileCommands(Workspace& workspace, CMainFrame& frame, RecentFileList* recent)
    : workspace_(workspace), frame_(frame), recent_(recent) {}

FileCommands::~FileCommands() {
    if (!installed_) {
        return;
    }
    QObject::disconnect(historyShown_);
    for (Command command : {Command::Open, Command::Save, Command::PrintHistory, Command::ExportReport}) {
        frame_.SetCommandHandler(command, {});
    }
    frame_.SetRecentFileHandler({});
}

void FileCommands::Install() {
    installed_ = true;
    // A new history (a download, or a file being opened) is no longer the file named in the title.
    historyShown_ = QObject::connect(&workspace_.Records(), &Measurements::historyShown, &frame_,
                                     [this] { ShowDocumentName({}); });
    frame_.SetCommandHandler(Command::Open, [this] { Open(); });
    frame_.SetCommandHandler(Command::Save, [this] { Save(); });
    frame_.SetCommandHandler(Command::PrintHistory, [this] { PrintHistory(); });
    frame_.SetCommandHandler(Command::ExportReport, [this] { ExportReport(); });
    frame_.SetRecentFileHandler([this](const QString& path) { OpenRecent(path); });
    if (recent_ != nullptr) {
        frame_.SetRecentFiles(recent_->Entries());
    }
}

QString FileCommands::StartFolder() const {
    if (!lastFolder_.isEmpty() && QFileInfo(lastFolder_).isDir()) {
        return lastFolder_;
    }
    // From an earlier run: the folder of the data file opened or saved last.
    if (recent_ != nullptr && !recent_->Entries().isEmpty()) {
        const QString folder = QFileInfo(recent_->Entries().constFirst()).absolutePath();
        if (QFileInfo(folder).isDir()) {
            return folder;
        }
    }
    return QDir::homePath();
}

void FileCommands::Open() {
    QFileDialog dialog(&frame_);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(NameFilters(kOpenFilter));
    dialog.setDirectory(StartFolder());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return;
    }
    const QString path = dialog.selectedFiles().constFirst();
    lastFolder_ = QFileInfo(path).absolutePath();
    if (PlanOpen(path.toStdString()) == OpenAction::Load) {
        OpenPath(path);
    }
}

bool FileCommands::OpenPath(const QString& path) {
    Measurements& records = workspace_.Records();
    if (const Status loaded = LoadDataFileInto(path.toStdString(), records.History()); !loaded) {
        FileRefused(path, loaded.reason);
        return false;
    }
    RememberRecent(path);
    workspace_.Archiving().SetShown(std::nullopt);
    ShowOpenedHistory(QFileInfo(path).fileName());
    return true;
}

void FileCommands::ShowOpenedHistory(const QString& documentName) {
    workspace_.Records().ShowLoadedFile();
    ShowDocumentName(documentName);
    DeviceConnection& connection = workspace_.Connection();
    connection.SetHistoryMode(false);
    connection.SetViewMode(ViewMode::FileHistory);
    connection.SetLinkMode(LinkMode::HistoryFile);
    workspace_.PublishState();
    frame_.View()->ShowHistoryView();
}

void FileCommands::Save() {
    QFileDialog dialog(&frame_);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // The dialog would ask about the name as typed; the question is asked below about the name
    // that is really written, extension included.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setNameFilters(NameFilters(kSaveFilter) << FromUtf8(kCsvFilter) << FromUtf8(kXlsxFilter));
    dialog.setDirectory(StartFolder());
    dialog.selectFile(QString::fromStdString(ProposedSaveName(workspace_.Records().History())));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return;
    }
    const QString chosen = dialog.selectedFiles().constFirst();
    // The dialog's own list: it keeps its filters simplified, without the first one's leading blank.
    const int filterIndex = static_cast<int>(dialog.nameFilters().indexOf(dialog.selectedNameFilter())) + 1;
    lastFolder_ = QFileInfo(chosen).absolutePath();
    const SaveTarget target = PlanSave(chosen.toStdString(), filterIndex);
    if (target.format != SaveFormat::None && !ConfirmReplace(QString::fromStdString(target.path))) {
        return;
    }
    SavePath(chosen, filterIndex);
}

bool FileCommands::ConfirmReplace(const QString& path) {
    if (!QFileInfo::exists(path)) {
        return true;
    }
    return QMessageBox::question(&frame_, frame_.windowTitle(),
                                 QCoreApplication::translate("FileCommands", "%1 已存在。\n要替换它吗？")
                                     .arg(QDir::toNativeSeparators(path)),
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}

bool FileCommands::SavePath(const QString& chosenPath, int filterIndex) {
    const SaveTarget target = PlanSave(chosenPath.toStdString(), filterIndex);
    Measurements& records = workspace_.Records();
    QString written = QString::fromStdString(target.path);
    switch (target.format) {
        case SaveFormat::DataFile:
        case SaveFormat::Text:
        case SaveFormat::Csv:
        case SaveFormat::Xlsx: {
            const HistoryDataSet& history = records.History();
            const Status result =
                target.format == SaveFormat::DataFile ? WriteDataFile(target.path, history)
                : target.format == SaveFormat::Text   ? WriteTextExport(target.path, history)
                : target.format == SaveFormat::Csv
                    ? WriteCsvExport(target.path, history, records.Unit(), records.DewPointShown())
                    : ExportXlsx(target.path, history, kXlsxRowsPerSheet, records.Unit());
            if (!result) {
                SaveFailed(QString::fromStdString(result.reason));
                return false;
            }
            break;
        }
        case SaveFormat::Worksheet: {
            const HistoryListing& listed = records.HistoryListed();
            const WorksheetExportResult result = ExportWorksheet(target.path, records.History(), listed.model,
                                                                 listed.alarmTexts, records.Unit());
            for (const WorksheetExportMessage& message : result.messages) {
                if (message.error) {
                    QMessageBox::critical(&frame_, frame_.windowTitle(),
                                          QString::fromStdString(message.text));
                } else {
                    QMessageBox::information(&frame_, frame_.windowTitle(),
                                             QString::fromStdString(message.text));
                }
            }
            if (!result.written) {
                return false;
            }
            written = QString::fromStdString(result.path);
            break;
        }
        case SaveFormat::None:
            return false;
    }
    const QString unrecorded = RecordSaved(target.format, written);
    frame_.statusBar()->showMessage(
        QCoreApplication::translate("FileCommands", "已保存 %1").arg(QDir::toNativeSeparators(written)) +
            (unrecorded.isEmpty()
                 ? QString()
                 : QCoreApplication::translate("FileCommands", "；保存记录未存入档案库：") + unrecorded),
        kSavedNoteMilliseconds);
    // Only a data file can be opened again; exports stay out of the list and the title.
    if (target.format == SaveFormat::DataFile) {
        RememberRecent(written);
        ShowDocumentName(QFileInfo(written).fileName());
    }
    return true;
}

QString FileCommands::RecordSaved(SaveFormat format, const QString& path) {
    const char* name = format == SaveFormat::DataFile ? "vdr"
                       : format == SaveFormat::Text   ? "txt"
                       : format == SaveFormat::Csv    ? "csv"
                       : format == SaveFormat::Xlsx   ? "xlsx"
                                                      : "xls";
    return RecordWritten(
        format == SaveFormat::DataFile ? archive::EventKind::Save : archive::EventKind::Export, name, path);
}

QString FileCommands::RecordWritten(archive::EventKind kind, const char* format, const QString& path) {
    WindowArchive& archive = workspace_.Archiving();
    return archive.Record(
        kind, archive::ExportDetail(format, QFileInfo(path).absoluteFilePath().toStdString()),
        archive::TrimmedRight(workspace_.Records().History().summary.title), archive.ShownId());
}

void FileCommands::RecordExported(const char* format, const QString& path) {
    const QString unrecorded = RecordWritten(archive::EventKind::Export, format, path);
    if (!unrecorded.isEmpty()) {
        frame_.statusBar()->showMessage(
            QCoreApplication::translate("FileCommands", "导出记录未存入档案库：") + unrecorded,
            kSavedNoteMilliseconds);
    }
}

bool FileCommands::OpenRecent(const QString& path) {
    if (!QFileInfo(path).isFile()) {
        QMessageBox::information(
            &frame_, frame_.windowTitle(),
            QCoreApplication::translate("FileCommands", "找不到文件 %1。\n它已从最近的文件列表中去掉。")
                .arg(QDir::toNativeSeparators(path)));
        ForgetRecent(path);
        return false;
    }
    bool opened = false;
    if (PlanOpen(path.toStdString()) == OpenAction::Load) {
        opened = OpenPath(path);
    } else {
        FileRefused(path, FileText(kNotADataFileText));
    }
    if (!opened) {
        ForgetRecent(path);
    }
    return opened;
}

void FileCommands::RememberRecent(const QString& path) {
    if (recent_ != nullptr) {
        recent_->Add(path);
        frame_.SetRecentFiles(recent_->Entries());
    }
}

void FileCommands::ForgetRecent(const QString& path) {
    if (recent_ != nullptr) {
        recent_->Remove(path);
        frame_.SetRecentFiles(recent_->Entries());
    }
}

void FileCommands::FileRefused(const QString& path, const std::string& reason) {
    // "文件错误!" as ever, then which file and why, in the words of the reader's refusal.
    QMessageBox box(QMessageBox::Information, frame_.windowTitle(), FromUtf8(FileText(kFileErrorText)),
                    QMessageBox::Ok, &frame_);
    box.setInformativeText(
        QStringLiteral("%1\n%2").arg(QDir::toNativeSeparators(path), QString::fromStdString(reason)));
    box.exec();
}

void FileCommands::ShowDocumentName(const QString& name) {
    frame_.setWindowTitle(name.isEmpty() ? QStringLiteral("Veldrin")
                                         : QStringLiteral("%1 - Veldrin").arg(name));
}

void FileCommands::SaveFailed(const QString& why) {
    // The reason goes to the details, so that a full disk or a read-only folder can be told apart.
    QMessageBox box(QMessageBox::Critical, frame_.windowTitle(), FromUtf8(FileText(kSaveErrorText)),
                    QMessageBox::Ok, &frame_);
    box.setDetailedText(why);
    box.exec();
}

bool FileCommands::HasReadings(const char* refusal) {
    if (workspace_.Records().History().samples.Count() > 0) {
        return true;
    }
    frame_.statusBar()->showMessage(QCoreApplication::translate("FileCommands", refusal),
                                    kSavedNoteMilliseconds);
    return false;
}

void FileCommands::PrintHistory() {
    const HistoryDataSet& history = workspace_.Records().History();
    if (!HasReadings(QT_TRANSLATE_NOOP("FileCommands", "没有历史数据，无法打印"))) {
        return;
    }
    CDlgPrintPreview preview(history, &frame_, workspace_.Records().Unit());
    preview.SetArchiveMark(workspace_.Archiving().ShownMark());
    QObject::connect(&preview, &CDlgPrintPreview::pagesWritten, &frame_,
                     [this](const QString& path) { RecordExported("pdf-pages", path); });
    preview.exec();
}

void FileCommands::ExportReport() {
    if (!HasReadings(QT_TRANSLATE_NOOP("FileCommands", "没有历史数据，无法导出报告"))) {
        return;
    }
    QFileDialog dialog(&frame_);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(QStringLiteral("PDF (*.pdf)"));
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return;
    }
    ExportReportPath(dialog.selectedFiles().constFirst());
}

bool FileCommands::ExportReportPath(const QString& path) {
    ReportOptions options;
    options.archiveMark = workspace_.Archiving().ShownMark();
    options.unit = workspace_.Records().Unit();
    const ReportResult result = ExportReportPdf(workspace_.Records().History(), options, path.toStdString());
    if (result.status != ReportStatus::Written) {
        QMessageBox box(QMessageBox::Critical, frame_.windowTitle(),
                        QCoreApplication::translate("FileCommands", "报告保存出错"), QMessageBox::Ok,
                        &frame_);
        box.setDetailedText(QString::fromStdString(result.message));
        box.exec();
        return false;
    }
    RecordExported("pdf", path);
    return true;
}

}  // namespace veldrin
