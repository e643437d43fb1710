#include "app/CFormDialog.h"

#include <QDateEdit>
#include <QDateTime>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTextCursor>
#include <QTimeEdit>
#include <QVBoxLayout>
#include <algorithm>

#include "app/DataTabs.h"
#include "app/WarnDialog.h"
#include "logger/Gbk.h"
#include "logger/LoggerInfo.h"

namespace veldrin {
namespace {

constexpr int kSideColumnWidth = 310;

// `text` cut to the longest start whose GBK form fits in `maxBytes`, never inside a character.
QString CutToGbkBytes(const QString& text, int maxBytes) {
    const std::string utf8 = text.toStdString();
    if (GbkLength(utf8) <= static_cast<std::size_t>(maxBytes)) {
        return text;
    }
    return QString::fromStdString(CutUtf8ToGbkBytes(utf8, static_cast<std::size_t>(maxBytes)));
}

QLineEdit* Box(QWidget* parent, const char* name, bool readOnly) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setReadOnly(readOnly);
    return box;
}

QTimeEdit* TimePicker(QWidget* parent, const char* name) {
    auto* picker = new QTimeEdit(parent);
    picker->setObjectName(QString::fromLatin1(name));
    picker->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    return picker;
}

}  // namespace

CFormDialog::CFormDialog(std::uint8_t& alarmEnable, const RealtimePages& pages, QWidget* parent)
    : QWidget(parent), alarmEnable_(alarmEnable) {
    auto* side = new QVBoxLayout;
    side->addWidget(CreateStatusGroup());
    side->addWidget(CreateSettingsGroup());
    side->addWidget(CreateAlarmTabs());
    side->addWidget(CreateDescriptionGroup());
    side->addWidget(CreateButtons());
    side->addStretch();
    auto* sideWidget = new QWidget(this);
    sideWidget->setLayout(side);
    sideWidget->setFixedWidth(kSideColumnWidth);
    side->setContentsMargins(0, 0, 0, 0);

    dataTabs_ = CreateDataTabs(this, pages.curve, pages.dataList, pages.alarmList);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 0, 4, 0);
    layout->addWidget(sideWidget);
    layout->addWidget(dataTabs_, 1);

    stopButton_->setEnabled(false);
    SetStartTime(std::time(nullptr));
    SetIntervalSeconds(1);
    SetDescription(QStringLiteral("         "));
    SetSettingsEnabled(true);
}

QWidget* CFormDialog::CreateStatusGroup() {
    auto* group = new QGroupBox(tr("记录仪状况"), this);
    title_ = Box(group, "edit1005", false);
    connect(title_, &QLineEdit::textChanged, this, &CFormDialog::KeepTitleShort);
    instrumentName_ = Box(group, "edit1006", true);
    workingState_ = Box(group, "edit1007", true);
    voltageState_ = Box(group, "edit1008", true);
    auto* form = new QFormLayout(group);
    form->addRow(tr("标   题"), title_);
    form->addRow(tr("仪表名称"), instrumentName_);
    form->addRow(tr("工作状态"), workingState_);
    form->addRow(tr("电源电压"), voltageState_);
    return group;
}

QWidget* CFormDialog::CreateSettingsGroup() {
    auto* group = new QGroupBox(tr("记录仪设置"), this);
    startDate_ = new QDateEdit(group);
    startDate_->setObjectName(QStringLiteral("date1019"));
    startDate_->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    startTimeOfDay_ = TimePicker(group, "time1017");
    interval_ = TimePicker(group, "time1021");
    stopMode_ = Box(group, "edit1018", true);
    stopMode_->setText(tr("记满即停"));
    recordedAmount_ = Box(group, "edit1013", true);
    capacity_ = Box(group, "edit1014", true);

    auto* start = new QHBoxLayout;
    startDate_->setMinimumWidth(startDate_->sizeHint().width());
    start->addWidget(startDate_, 1);
    start->addWidget(startTimeOfDay_);
    auto* form = new QFormLayout(group);
    form->addRow(tr("启动时间"), start);
    form->addRow(tr("时间间隔"), interval_);
    form->addRow(tr("记录停止方式"), stopMode_);
    form->addRow(tr("已记录数据量"), recordedAmount_);
    form->addRow(tr("可记录总数据量"), capacity_);
    return group;
}

QWidget* CFormDialog::CreateAlarmTabs() {
    alarmTabs_ = new QTabWidget(this);
    alarmTabs_->setObjectName(QStringLiteral("alarmTabs"));
    channel1Page_ = new WarnDialog(alarmEnable_);
    channel2Page_ = new WarnDialog2(alarmEnable_);
    alarmTabs_->addTab(channel1Page_, QStringLiteral("  "));
    alarmTabs_->addTab(channel2Page_, QStringLiteral("  "));
    channel2Page_->setEnabled(false);
    connect(alarmTabs_, &QTabWidget::currentChanged, this, &CFormDialog::AlarmTabChanged);
    return alarmTabs_;
}

QWidget* CFormDialog::CreateDescriptionGroup() {
    auto* group = new QGroupBox(tr("记录仪描述"), this);
    description_ = new QPlainTextEdit(group);
    description_->setObjectName(QStringLiteral("edit1015"));
    description_->setFixedHeight(60);
    connect(description_, &QPlainTextEdit::textChanged, this, &CFormDialog::KeepDescriptionShort);
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(description_);
    return group;
}

QWidget* CFormDialog::CreateButtons() {
    auto* row = new QWidget(this);
    startButton_ = new QPushButton(tr("启动记录"), row);
    stopButton_ = new QPushButton(tr("停止记录"), row);
    startButton_->setObjectName(QStringLiteral("button1024"));
    stopButton_->setObjectName(QStringLiteral("button1025"));
    connect(startButton_, &QPushButton::clicked, this, &CFormDialog::StartClicked);
    connect(stopButton_, &QPushButton::clicked, this, &CFormDialog::StopClicked);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(startButton_);
    layout->addWidget(stopButton_);
    return row;
}

void CFormDialog::SetSettingsEnabled(bool enabled) {
    for (QWidget* field :
         std::initializer_list<QWidget*>{instrumentName_, workingState_, startTimeOfDay_, startDate_,
                                         recordedAmount_, capacity_, description_, title_, interval_}) {
        field->setEnabled(enabled);
    }
    channel1Page_->SetControlsEnabled(enabled);
    channel2Page_->SetControlsEnabled(enabled);
}

void CFormDialog::SetTitle(const QString& text) {
    title_->setText(text);
}
QString CFormDialog::Title() const {
    return title_->text();
}
void CFormDialog::SetInstrumentName(const QString& text) {
    instrumentName_->setText(text);
}
void CFormDialog::SetWorkingState(const QString& text) {
    workingState_->setText(text);
}
void CFormDialog::SetVoltageState(const QString& text) {
    voltageState_->setText(text);
}
void CFormDialog::SetRecordedAmount(const QString& text) {
    recordedAmount_->setText(text);
}
void CFormDialog::SetCapacity(const QString& text) {
    capacity_->setText(text);
}
void CFormDialog::SetDescription(const QString& text) {
    description_->setPlainText(text);
}
QString CFormDialog::Description() const {
    return description_->toPlainText();
}

void CFormDialog::KeepTitleShort() {
    const QString text = title_->text();
    const QString cut = CutToGbkBytes(text, static_cast<int>(kLoggerTitleBytes));
    if (cut.size() == text.size()) {
        return;
    }
    const int cursor = std::min(title_->cursorPosition(), static_cast<int>(cut.size()));
    title_->setText(cut);
    title_->setCursorPosition(cursor);
}

void CFormDialog::KeepDescriptionShort() {
    const QString text = description_->toPlainText();
    const QString cut = CutToGbkBytes(text, static_cast<int>(kLoggerDescriptionBytes));
    if (cut.size() == text.size()) {
        return;
    }
    description_->setPlainText(cut);
    description_->moveCursor(QTextCursor::End);
}

void CFormDialog::SetStartTime(std::time_t time) {
    const QDateTime start = QDateTime::fromSecsSinceEpoch(time);
    startDate_->setDate(start.date());
    startTimeOfDay_->setTime(start.time());
}

std::time_t CFormDialog::StartTime() const {
    return QDateTime(startDate_->date(), startTimeOfDay_->time()).toSecsSinceEpoch();
}

void CFormDialog::SetIntervalSeconds(int seconds) {
    interval_->setTime(QTime(0, 0).addSecs(std::clamp(seconds, 0, kLongestInterval)));
}

int CFormDialog::IntervalSeconds() const {
    const QTime time = interval_->time();
    return std::min(time.hour() * 3600 + time.minute() * 60 + time.second(), kLongestInterval);
}

WarnDialog* CFormDialog::Channel1Page() const {
    return channel1Page_;
}
WarnDialog* CFormDialog::Channel2Page() const {
    return channel2Page_;
}

void CFormDialog::SetLimits(int channel, int upper, int lower) {
    (channel == 2 ? Channel2Page() : Channel1Page())->SetLimits(upper, lower);
}

int CFormDialog::UpperLimit(int channel) const {
    return (channel == 2 ? Channel2Page() : Channel1Page())->UpperLimit();
}

int CFormDialog::LowerLimit(int channel) const {
    return (channel == 2 ? Channel2Page() : Channel1Page())->LowerLimit();
}

void CFormDialog::SetAlarmEnabled(bool enabled) {
    alarmEnable_ = enabled ? 1 : 0;
    channel1Page_->ShowSharedFlag();
    channel2Page_->ShowSharedFlag();
}

void CFormDialog::SetAlarmTabCaptions(const QString& channel1, const QString& channel2, bool twoChannels) {
    alarmTabs_->setTabText(0, channel1);
    alarmTabs_->setTabText(1, channel2);
    if (!twoChannels) {
        alarmTabs_->setCurrentIndex(0);
    }
    alarmTabs_->setTabVisible(1, twoChannels);
}

void CFormDialog::AlarmTabChanged(int index) {
    channel1Page_->ShowSharedFlag();
    channel2Page_->ShowSharedFlag();
    channel1Page_->setEnabled(index == 0);
    channel2Page_->setEnabled(index == 1);
}

void CFormDialog::SetStartButtonEnabled(bool enabled) {
    startButton_->setEnabled(enabled);
}
void CFormDialog::SetStopButtonEnabled(bool enabled) {
    stopButton_->setEnabled(enabled);
}

void CFormDialog::StartClicked() {
    if (startHandler_ && startHandler_()) {
        startButton_->setEnabled(false);
        stopButton_->setEnabled(true);
    }
}

void CFormDialog::StopClicked() {
    startButton_->setEnabled(true);
    stopButton_->setEnabled(false);
    if (stopHandler_) {
        stopHandler_();
    }
}

void CFormDialog::ShowRecordedAmount(bool shown) {
    recordedAmount_->setVisible(shown);
}

}  // namespace veldrin
