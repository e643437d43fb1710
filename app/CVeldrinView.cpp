#include "app/CVeldrinView.h"

#include <QGridLayout>
#include <QPainter>
#include <QRegion>

#include "app/CDlgHistory.h"
#include "app/CFormDialog.h"
#include "app/CMyDialog.h"

namespace veldrin {
namespace {

constexpr int kCaptionBand = 28;    // above the panels: the flashing view caption
constexpr int kProgressBand = 22;   // below the panels: the progress strip
constexpr int kProgressLeft = 416;  // where the strip starts
const QPoint kCaptionPosition(300, 10);
const QColor kProgressFill(100, 100, 250);
const QColor kProgressTextOnFill(255, 255, 255);
const QColor kProgressTextOnGround(0, 0, 0);
constexpr int kCaptionWidth = 240;  // room for "历史数据（不完整）"

}  // namespace

CVeldrinView::CVeldrinView(LoggerInfo& info, QWidget* parent)
    : QWidget(parent),
      info_(info),
      realtimePanel_(new CFormDialog(info.channel1Alarm.enable, CreateRealtimePages(), this)),
      historyPanel_(new CDlgHistory(CreateHistoryPages(), this)) {
    // Both panels take the same place; only one is shown at a time.
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, kCaptionBand, 0, kProgressBand);
    layout->addWidget(realtimePanel_, 0, 0);
    layout->addWidget(historyPanel_, 0, 0);
    historyPanel_->hide();

    realtimePanel_->SetWorkingState(tr("未启动记录"));
    realtimePanel_->SetCapacity(QStringLiteral("100,000"));
    realtimePanel_->SetTitle(QStringLiteral("Title"));

    connect(&stepTimer_, &QTimer::timeout, this, &CVeldrinView::Step);
    stepTimer_.start(kConnectionStepMs);
}

void CVeldrinView::SetViewMode(ViewMode mode) {
    viewMode_ = mode;
    emit stateChanged();
}

void CVeldrinView::SetLinkMode(LinkMode mode) {
    linkMode_ = mode;
    emit stateChanged();
}

void CVeldrinView::SetOnline(bool online) {
    online_ = online;
    emit stateChanged();
}

void CVeldrinView::SetDownloadedHistory(bool downloaded) {
    downloadedHistory_ = downloaded;
    emit stateChanged();
}

void CVeldrinView::SetConnecting(bool connecting) {
    connecting_ = connecting;
    emit stateChanged();
}

CommandState CVeldrinView::CurrentCommandState() const {
    CommandState state;
    state.viewMode = viewMode_;
    state.linkMode = linkMode_;
    state.realtimePanelVisible = !realtimePanel_->isHidden();
    state.historyPanelVisible = !historyPanel_->isHidden();
    state.recordCount = info_.recordBytes;
    state.online = online_;
    state.downloadedHistory = downloadedHistory_;
    state.connecting = connecting_;
    return state;
}

void CVeldrinView::ShowRealtimeView() {
    realtimePanel_->setEnabled(true);
    realtimePanel_->ShowRecordedAmount(true);
    realtimePanel_->show();
    historyPanel_->hide();
    update();
    emit stateChanged();
}

void CVeldrinView::ShowHistoryView() {
    realtimePanel_->setEnabled(false);
    realtimePanel_->ShowRecordedAmount(false);
    realtimePanel_->hide();
    historyPanel_->show();
    update();
    emit stateChanged();
}

void CVeldrinView::AskStartTime() {
    CMyDialog question(0, nullptr, this);
    question.exec();
}

void CVeldrinView::ShowProgress(int percent, const QString& text) {
    progressPercent_ = percent;
    progressText_ = text;
    update(0, height() - kProgressBand, width(), kProgressBand);
}

void CVeldrinView::Step() {
    ++stepCount_;
    if (stepHandler_) {
        stepHandler_();
    }
    update(QRect(kCaptionPosition, QSize(kCaptionWidth, kCaptionBand - kCaptionPosition.y())));
    emit stateChanged();
}

void CVeldrinView::SetPartialHistory(bool partial) {
    partialHistory_ = partial;
    update();
}

QString CVeldrinView::Caption() const {
    if (!historyPanel_->isHidden()) {
        return partialHistory_ ? tr("历史数据（不完整）") : tr("历史数据");
    }
    return realtimePanel_->isHidden() ? QString() : tr("即时数据");
}

void CVeldrinView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setBackgroundMode(Qt::TransparentMode);
    // The caption flashes red once a second.
    painter.setPen(stepCount_ % 5 == 1 ? QColor(255, 0, 0) : palette().color(QPalette::WindowText));
    painter.drawText(kCaptionPosition + QPoint(0, painter.fontMetrics().ascent()), Caption());

    if (progressPercent_ < 0) {
        return;
    }
    const int right = kProgressLeft + (width() - kProgressLeft) * progressPercent_ / 100;
    const QRect strip(QPoint(kProgressLeft, height() - 20), QPoint(width() - 1, height() - 1));
    const QRect filled(strip.topLeft(), QPoint(right, strip.bottom()));
    painter.fillRect(filled, kProgressFill);
    // The text reads at every fill: light on the filled part, dark on the rest.
    const QPoint textAt(kProgressLeft, height() - 18 + painter.fontMetrics().ascent());
    painter.setClipRect(filled);
    painter.setPen(kProgressTextOnFill);
    painter.drawText(textAt, progressText_);
    painter.setClipRegion(QRegion(strip).subtracted(filled));
    painter.setPen(kProgressTextOnGround);
    painter.drawText(textAt, progressText_);
}

}  // namespace veldrin
