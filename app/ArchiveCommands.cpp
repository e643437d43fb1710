#include "app/ArchiveCommands.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>

#include "app/CMainFrame.h"
#include "app/FileCommands.h"
#include "app/Workspace.h"
#include "archive/HistoryArchiving.h"
#include "files/DataFile.h"

namespace veldrin {

ArchiveCommands::ArchiveCommands(Workspace& workspace, CMainFrame& frame, FileCommands& files)
    : workspace_(workspace), frame_(frame), files_(files) {}

ArchiveCommands::~ArchiveCommands() {
    for (const QMetaObject::Connection& connection : connections_)
        QObject::disconnect(connection);
    delete browser_.data();
}

void ArchiveCommands::Install() {
    connections_ << QObject::connect(frame_.ArchiveImportAction(), &QAction::triggered, &frame_,
                                     [this] { Import(); });
    connections_ << QObject::connect(frame_.ArchiveBrowserAction(), &QAction::triggered, &frame_,
                                     [this] { Browse(); });
}

void ArchiveCommands::Import() {
    QFileDialog dialog(&frame_, QCoreApplication::translate("ArchiveCommands", "导入到档案库"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    dialog.setNameFilters({QCoreApplication::translate("ArchiveCommands", "数据文件 (*.Vdr *.vdr)")});
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    ImportPaths(dialog.selectedFiles());
}

void ArchiveCommands::ImportPaths(const QStringList& paths) {
    int added = 0;
    int before = 0;
    QStringList failed;
    std::unique_ptr<archive::Archive> archive;
    try {
        archive = workspace_.Archiving().Open();
    } catch (const archive::ArchiveError& error) {
        QMessageBox::warning(&frame_, QCoreApplication::translate("ArchiveCommands", "导入到档案库"),
                             QCoreApplication::translate("ArchiveCommands", "档案库打不开：") +
                                 QString::fromUtf8(error.what()));
        return;
    }
    for (const QString& path : paths) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            failed << QCoreApplication::translate("ArchiveCommands", "%1：%2")
                          .arg(QDir::toNativeSeparators(path), file.errorString());
            continue;
        }
        const QByteArray bytes = file.readAll();
        HistoryDataSet history;
        if (const Status loaded = LoadDataFileInto(path.toStdString(), history); !loaded) {
            failed << QCoreApplication::translate("ArchiveCommands", "%1：%2")
                          .arg(QDir::toNativeSeparators(path), QString::fromStdString(loaded.reason));
            continue;
        }
        try {
            const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.constData());
            const archive::AddResult result =
                archive::ImportDataFile(*archive, history, {data, static_cast<std::size_t>(bytes.size())},
                                        QFileInfo(path).absoluteFilePath().toStdString(), WindowActor());
            ++(result.added ? added : before);
        } catch (const archive::ArchiveError& error) {
            failed << QCoreApplication::translate("ArchiveCommands", "%1：%2")
                          .arg(QDir::toNativeSeparators(path), QString::fromUtf8(error.what()));
        }
    }
    QString summary =
        QCoreApplication::translate("ArchiveCommands", "新存入档案库 %1 个文件，已在档案库中 %2 个。")
            .arg(added)
            .arg(before);
    if (!failed.isEmpty())
        summary += QCoreApplication::translate("ArchiveCommands", "\n未能导入 %1 个：\n").arg(failed.size()) +
                   failed.join(QLatin1Char('\n'));
    QMessageBox::information(&frame_, QCoreApplication::translate("ArchiveCommands", "导入到档案库"),
                             summary);
    if (browser_ != nullptr)
        browser_->Reload();
}

ArchiveBrowser* ArchiveCommands::Browse() {
    if (browser_ == nullptr) {
        browser_ = new ArchiveBrowser(
            workspace_.Archiving(),
            [this](const archive::EntrySummary& entry, std::unique_ptr<HistoryDataSet> history) {
                OpenEntry(entry, std::move(history));
            },
            frame_.Units(), &frame_);
    } else {
        // Chosen again while open: what was archived since is listed too.
        browser_->Reload();
    }
    browser_->show();
    browser_->raise();
    browser_->activateWindow();
    return browser_;
}

void ArchiveCommands::OpenEntry(const archive::EntrySummary& entry, std::unique_ptr<HistoryDataSet> history) {
    workspace_.Records().History() = std::move(*history);
    workspace_.Archiving().SetShown(ShownEntry{entry.id, entry.sha256});
    files_.ShowOpenedHistory(QCoreApplication::translate("ArchiveCommands", "档案 %1").arg(entry.id));
}

}  // namespace veldrin
