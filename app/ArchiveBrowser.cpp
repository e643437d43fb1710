#include "app/ArchiveBrowser.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDateTime>
#include <QDateTimeEdit>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QSplitter>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include "app/ComparisonWindow.h"
#include "app/EntryDetailsText.h"
#include "app/EntryExport.h"
#include "app/UnitMenu.h"
#include "app/WindowArchive.h"
#include "archive/HistoryArchiving.h"

namespace veldrin {
namespace {

// Filters that change while the user types wait this long before the list is queried again.
constexpr int kReloadDelayMs = 250;

// A period picker whose lowest value stands for "no limit".
QDateTimeEdit* PeriodEdit(QWidget* parent) {
    auto* edit = new QDateTimeEdit(parent);
    edit->setDisplayFormat(QStringLiteral("yyyy-MM-dd HH:mm"));
    edit->setCalendarPopup(true);
    edit->setMinimumDateTime(QDateTime(QDate(2000, 1, 1), QTime(0, 0)));
    edit->setSpecialValueText(QCoreApplication::translate("veldrin::ArchiveBrowser", "不限"));
    edit->setDateTime(edit->minimumDateTime());
    return edit;
}

std::optional<std::int64_t> PeriodValue(const QDateTimeEdit* edit) {
    if (edit->dateTime() == edit->minimumDateTime())
        return std::nullopt;
    return edit->dateTime().toSecsSinceEpoch();
}

}  // namespace

ArchiveBrowser::ArchiveBrowser(WindowArchive& archive, EntryOpener opener, const UnitMenu* units,
                               QWidget* parent)
    : QWidget(parent, Qt::Window), archive_(archive), opener_(std::move(opener)), units_(units) {
    setWindowTitle(tr("档案库"));
    setAttribute(Qt::WA_DeleteOnClose);
    entries_ = new ArchiveEntryModel(this);
    sorted_ = new QSortFilterProxyModel(this);
    sorted_->setSourceModel(entries_);
    sorted_->setSortRole(ArchiveEntryModel::kSortRole);
    table_ = new QTableView(this);
    table_->setModel(sorted_);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSortingEnabled(true);
    table_->sortByColumn(ArchiveEntryModel::Id, Qt::DescendingOrder);
    table_->verticalHeader()->hide();
    // Rows of one height and columns sized once: the table never measures 10000 rows' texts.
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    table_->horizontalHeader()->setStretchLastSection(true);
    const std::array<int, ArchiveEntryModel::ColumnCount> widths{60, 140, 100, 160, 260, 60, 50, 160};
    for (int column = 0; column < ArchiveEntryModel::ColumnCount; ++column)
        table_->setColumnWidth(column, widths[static_cast<std::size_t>(column)]);
    details_ = new QPlainTextEdit(this);
    details_->setReadOnly(true);
    status_ = new QLabel(this);
    reload_ = new QTimer(this);
    reload_->setSingleShot(true);
    reload_->setInterval(kReloadDelayMs);
    connect(reload_, &QTimer::timeout, this, &ArchiveBrowser::Reload);

    auto* layout = new QVBoxLayout(this);
    BuildFilters();
    auto* splitter = new QSplitter(Qt::Horizontal, this);
    splitter->addWidget(table_);
    splitter->addWidget(details_);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 1);
    layout->addWidget(splitter, 1);
    BuildButtons();
    layout->addWidget(status_);
    connect(table_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &ArchiveBrowser::ShowDetails);
    connect(table_, &QTableView::doubleClicked, this, &ArchiveBrowser::OpenChosen);
    resize(1100, 600);
    Reload();
}

ArchiveBrowser::~ArchiveBrowser() = default;

void ArchiveBrowser::BuildFilters() {
    auto* row = new QHBoxLayout;
    model_ = new QComboBox(this);
    model_->addItem(tr("全部型号"));
    for (int model = 0; model < 3; ++model)
        model_->addItem(ArchivedModelName(model), model);
    text_ = new QLineEdit(this);
    text_->setPlaceholderText(tr("标题或说明中的文字"));
    text_->setClearButtonEnabled(true);
    from_ = PeriodEdit(this);
    to_ = PeriodEdit(this);
    device_ = new QLineEdit(this);
    device_->setPlaceholderText(tr("设备"));
    excursions_ = new QCheckBox(tr("仅超限"), this);
    row->addWidget(model_);
    row->addWidget(text_, 2);
    row->addWidget(new QLabel(tr("从"), this));
    row->addWidget(from_);
    row->addWidget(new QLabel(tr("到"), this));
    row->addWidget(to_);
    row->addWidget(device_, 1);
    row->addWidget(excursions_);
    static_cast<QVBoxLayout*>(layout())->addLayout(row);
    const auto later = [this] { reload_->start(); };
    connect(model_, &QComboBox::currentIndexChanged, this, later);
    connect(text_, &QLineEdit::textChanged, this, later);
    connect(from_, &QDateTimeEdit::dateTimeChanged, this, later);
    connect(to_, &QDateTimeEdit::dateTimeChanged, this, later);
    connect(device_, &QLineEdit::textChanged, this, later);
    connect(excursions_, &QCheckBox::toggled, this, later);
}

void ArchiveBrowser::BuildButtons() {
    auto* row = new QHBoxLayout;
    open_ = new QPushButton(tr("打开"), this);
    export_ = new QPushButton(tr("导出…"), this);
    compare_ = new QPushButton(tr("叠加比较"), this);
    auto* close = new QPushButton(tr("关闭"), this);
    row->addWidget(open_);
    row->addWidget(export_);
    row->addWidget(compare_);
    row->addStretch(1);
    row->addWidget(close);
    static_cast<QVBoxLayout*>(layout())->addLayout(row);
    connect(open_, &QPushButton::clicked, this, &ArchiveBrowser::OpenChosen);
    connect(export_, &QPushButton::clicked, this, &ArchiveBrowser::ExportChosen);
    connect(compare_, &QPushButton::clicked, this, &ArchiveBrowser::CompareChosen);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
}

archive::EntryFilter ArchiveBrowser::Filter() const {
    archive::EntryFilter filter;
    if (model_->currentIndex() > 0)
        filter.model = model_->currentData().toInt();
    filter.text = text_->text().trimmed().toStdString();
    filter.from = PeriodValue(from_);
    filter.to = PeriodValue(to_);
    filter.device = device_->text().trimmed().toStdString();
    filter.onlyExcursions = excursions_->isChecked();
    return filter;
}

void ArchiveBrowser::Reload() {
    reload_->stop();
    try {
        entries_->SetEntries(archive_.Open()->List(Filter()));
        status_->setText(tr("%1 个档案").arg(entries_->rowCount()));
    } catch (const archive::ArchiveError& error) {
        entries_->SetEntries({});
        status_->setText(tr("档案库打不开：") + QString::fromUtf8(error.what()));
    }
    details_->clear();
}

std::vector<archive::EntrySummary> ArchiveBrowser::Chosen() const {
    QModelIndexList rows = table_->selectionModel()->selectedRows();
    std::sort(rows.begin(), rows.end(),
              [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    std::vector<archive::EntrySummary> chosen;
    for (const QModelIndex& row : rows)
        chosen.push_back(entries_->Entry(sorted_->mapToSource(row).row()));
    return chosen;
}

void ArchiveBrowser::ShowDetails() {
    const std::vector<archive::EntrySummary> chosen = Chosen();
    if (chosen.size() != 1) {
        details_->clear();
        return;
    }
    try {
        const std::optional<archive::EntryDetails> details = archive_.Open()->Show(chosen.front().id);
        details_->setPlainText(details ? EntryDetailsText(*details) : QString());
    } catch (const archive::ArchiveError& error) {
        details_->setPlainText(tr("档案库打不开：") + QString::fromUtf8(error.what()));
    }
}

void ArchiveBrowser::OpenChosen() {
    const std::vector<archive::EntrySummary> chosen = Chosen();
    if (chosen.size() != 1) {
        QMessageBox::information(this, windowTitle(), tr("请选择一个档案。"));
        return;
    }
    try {
        opener_(chosen.front(), archive::EntryHistory(*archive_.Open(), chosen.front().id));
    } catch (const archive::ArchiveError& error) {
        Refuse(tr("档案 %1 打不开。").arg(chosen.front().id), QString::fromUtf8(error.what()));
    }
}

void ArchiveBrowser::ExportChosen() {
    const std::vector<archive::EntrySummary> chosen = Chosen();
    if (chosen.size() != 1) {
        QMessageBox::information(this, windowTitle(), tr("请选择一个档案。"));
        return;
    }
    const archive::EntrySummary& entry = chosen.front();
    QFileDialog dialog(this);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(EntryExportFilters());
    dialog.selectFile(tr("档案%1").arg(entry.id));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    QString path = dialog.selectedFiles().constFirst();
    if (QFileInfo(path).suffix().isEmpty()) {
        // No extension typed: the chosen filter's.
        const QString filter = dialog.selectedNameFilter();
        path += filter.mid(filter.indexOf(QLatin1String("*.")) + 1).chopped(1);
    }
    try {
        const QString refused = ExportEntry(*archive_.Open(), entry, path,
                                            units_ != nullptr ? units_->Chosen() : TemperatureUnit::Celsius);
        if (!refused.isEmpty())
            Refuse(tr("档案 %1 未能导出。").arg(entry.id), refused);
        else
            status_->setText(tr("已导出 %1").arg(QDir::toNativeSeparators(path)));
    } catch (const archive::ArchiveError& error) {
        Refuse(tr("档案 %1 未能导出。").arg(entry.id), QString::fromUtf8(error.what()));
    }
}

void ArchiveBrowser::CompareChosen() {
    const std::vector<archive::EntrySummary> chosen = Chosen();
    if (chosen.size() < 2) {
        QMessageBox::information(this, tr("叠加比较"), tr("请选择 2 到 12 个档案。"));
        return;
    }
    if (chosen.size() > ComparisonWindow::kMaxHistories) {
        // Refused before any history is read: a whole table may be selected.
        QMessageBox::warning(this, tr("叠加比较"),
                             tr("最多只能叠加比较 %1 个档案，已选择 %2 个。")
                                 .arg(ComparisonWindow::kMaxHistories)
                                 .arg(chosen.size()));
        return;
    }
    std::vector<ComparedHistory> histories;
    try {
        auto archive = archive_.Open();
        for (const archive::EntrySummary& entry : chosen) {
            histories.push_back(
                {QStringLiteral("#%1 %2").arg(entry.id).arg(QString::fromStdString(entry.title)),
                 archive::EntryHistory(*archive, entry.id)});
        }
    } catch (const archive::ArchiveError& error) {
        Refuse(tr("叠加比较的档案读不出来。"), QString::fromUtf8(error.what()));
        return;
    }
    OpenComparison(this, std::move(histories), units_);
}

void ArchiveBrowser::Refuse(const QString& what, const QString& why) {
    QMessageBox box(QMessageBox::Warning, windowTitle(), what, QMessageBox::Ok, this);
    box.setInformativeText(why);
    box.exec();
}

}  // namespace veldrin
