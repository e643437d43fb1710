#pragma once
// The main view: hosts the realtime panel and the history panel (one shown at a time), draws the
// flashing view caption and the progress strip, and runs the 200 ms step timer that drives the
// device connection.
#include <QTimer>
#include <QWidget>
#include <functional>

#include "app/CommandEnabling.h"
#include "logger/ConnectionState.h"
#include "logger/LoggerInfo.h"

namespace veldrin {

class CDlgHistory;
class CFormDialog;

class CVeldrinView : public QWidget {
    Q_OBJECT
  public:
    // `info` is the connected logger's record; it must outlive the view.
    explicit CVeldrinView(LoggerInfo& info, QWidget* parent = nullptr);

    CFormDialog* RealtimePanel() const { return realtimePanel_; }
    CDlgHistory* HistoryPanel() const { return historyPanel_; }

    // What the view shows and what it is linked to, as the connection and the file commands set
    // them.
    void SetViewMode(ViewMode mode);
    void SetLinkMode(LinkMode mode);
    void SetOnline(bool online);
    // Whether the current history came from a download, and whether a connect attempt runs.
    void SetDownloadedHistory(bool downloaded);
    void SetConnecting(bool connecting);
    ViewMode CurrentViewMode() const { return viewMode_; }
    LinkMode CurrentLinkMode() const { return linkMode_; }
    // The inputs of the command-enabling rules, now.
    CommandState CurrentCommandState() const;

    // The realtime view: the realtime panel shown and enabled, the history panel hidden.
    void ShowRealtimeView();
    // The history view: the realtime panel disabled and hidden, the history panel shown.
    void ShowHistoryView();
    // The start-time question on its own (Ctrl+Z); nothing follows from the answer.
    void AskStartTime();

    // The progress strip along the bottom edge; percent -1 erases it.
    void ShowProgress(int percent, const QString& text);
    // Erases the progress strip.
    void HideProgress() { ShowProgress(kNoProgress, QString()); }
    int ProgressPercent() const { return progressPercent_; }
    const QString& ProgressText() const { return progressText_; }
    // "即时数据" over the realtime panel, "历史数据" over the history panel, "历史数据（不完整）"
    // when the history is a partial download.
    QString Caption() const;
    void SetPartialHistory(bool partial);

    // Called on every 200 ms step, before the caption is redrawn.
    void SetStepHandler(std::function<void()> handler) { stepHandler_ = std::move(handler); }

  signals:
    // A step ran, or the shown panel or the modes changed: the commands' enabling may differ.
    void stateChanged();

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void Step();

    LoggerInfo& info_;
    CFormDialog* realtimePanel_;
    CDlgHistory* historyPanel_;
    ViewMode viewMode_ = ViewMode::Nothing;
    LinkMode linkMode_ = LinkMode::None;
    bool online_ = false;
    bool downloadedHistory_ = false;
    bool connecting_ = false;
    bool partialHistory_ = false;
    // The progress value at which no strip is drawn.
    static constexpr int kNoProgress = -1;
    int progressPercent_ = kNoProgress;
    QString progressText_;
    int stepCount_ = 0;
    std::function<void()> stepHandler_;
    QTimer stepTimer_;
};

}  // namespace veldrin
