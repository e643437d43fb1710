#pragma once
// The print preview of the current history: time range, print mode (curves or table), curve
// page count, a preview of every page, and printing of all pages (to a PDF file when no printer is
// installed). Beside the double click's close-up, the page can be seen whole ("适合页面"), at its
// own size ("100%"), or zoomed in steps with Ctrl and the mouse wheel.
#include <ctime>
#include <memory>
#include <string>
#include <vector>

#include <QDialog>
#include <QImage>
#include <QTimer>

#include "history/HistoryDataSet.h"
#include "print/CurveDecimation.h"
#include "print/PrintJob.h"
#include "print/PrintSelection.h"
#include "print/SurfaceMetrics.h"

class QDateEdit;
class QLabel;
class QLineEdit;
class QPrinter;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QTimeEdit;

namespace veldrin {

class PageCountUpDown;
class PreviewArea;

class CDlgPrintPreview : public QDialog {
    Q_OBJECT
  public:
    // Works on its own copy of `history`, taken here: a download that replaces the history while
    // the dialog is open changes nothing in it. The print command opens it only for a history
    // with at least one sample. The pages show temperatures in `unit`.
    explicit CDlgPrintPreview(const HistoryDataSet& history, QWidget* parent = nullptr,
                              TemperatureUnit unit = TemperatureUnit::Celsius);
    ~CDlgPrintPreview() override;
    // An archived history's entry and hash, drawn at the foot of every page; "" for none.
    void SetArchiveMark(std::string mark);

    PrintMode Mode() const { return mode_; }
    int CurrentPage() const { return currentPage_; }
    int TotalPages() const { return totalPages_; }
    int RequestedCurvePages() const { return requestedCurvePages_; }
    int StripCount() const { return stripCount_; }
    int ColumnUnit() const { return columnUnit_; }
    bool StartInvalid() const { return startInvalid_; }
    bool StopInvalid() const { return stopInvalid_; }
    bool Zoomed() const { return zoomed_; }
    int SourceX() const { return sourceX_; }
    int SourceY() const { return sourceY_; }
    const PrintSelection& Selection() const { return selection_; }
    const QImage& PageImage() const { return pageImage_; }
    // Pages rendered for the screen so far; repainting, scrolling and zooming never add one.
    int RenderCount() const { return renderCount_; }
    // Prints every page of the current mode (the Print button). Without a printer it offers to
    // write the same pages to a PDF file instead.
    void PrintAll();

  signals:
    // The pages were written to the PDF file at `path` instead of a printer.
    void pagesWritten(const QString& path);

  public:
    // The zoom of the page: 0 shows it fitted to the area as it opens; otherwise page pixels are
    // shown at this percentage (25 … 400), scrolled with the bars and the wheel.
    int ZoomPercent() const { return zoomPercent_; }
    void SetZoom(int percent);

  protected:
    // Lets the user choose and set up the printer; false when cancelled.
    virtual bool ChoosePrinter(QPrinter& printer);
    // Whether the system has a printer to print on.
    virtual bool PrintersInstalled() const;

  private:
    enum DeferredDisable { kNextAndEnd = 1, kFirstAndBack = 2, kPreview = 4 };
    enum class PickerSide { Start, Stop };

    void BuildControls();
    void ConnectControls();
    void Open();

    void RebuildSelection();
    PrintJob Job() const;
    void OnPickerChanged(PickerSide side);
    void OnPageCountEdited();
    void OnPreview();
    void GoToPage(int page);
    void SetNavigationButtons();
    void SetNavigationDirectly();
    void ApplyDeferredDisable();
    void ShowPageIndicator();
    void SetPageEdit(int pages);
    void RepaintLabels();

    void RenderCurrentPage();
    void CopyPage();
    void OnDoubleClick(QPoint position);
    void OnScroll(Qt::Orientation orientation, int position);
    void OnWheel(int delta);
    void OnZoomWheel(int delta);
    // Without a printer: asks whether to write the pages as a PDF, asks for its name and writes it.
    void OfferPdfInstead();
    // The part of the page shown at the zoom percentage, and where the bars can scroll it.
    QSize ZoomedSourceSize() const;
    void SetZoomBars();
    void HideScrollBars();
    void SwitchToCurve();
    void SwitchToText();

    QSize ScreenPageSize(PrintMode mode) const;
    std::time_t PickerTime(PickerSide side) const;
    void SetPickers(PickerSide side, std::time_t time);

    const HistoryDataSet history_;
    const TemperatureUnit unit_;
    std::vector<std::time_t> historyTimes_;

    PrintMode mode_ = PrintMode::Curve;
    int currentPage_ = 1;
    int totalPages_ = 2;
    int requestedCurvePages_ = 2;
    int savedCurvePages_ = 2;
    int stripCount_ = 3;
    std::string archiveMark_;
    std::time_t startTime_ = 0;
    std::time_t stopTime_ = 0;
    bool startInvalid_ = false;
    bool stopInvalid_ = false;
    bool noData_ = false;
    bool ready_ = false;
    bool zoomed_ = false;
    int deferredDisable_ = 0;
    int zoomDivisor_ = 1;
    int zoomPercent_ = 0;
    int sourceX_ = 0;
    int sourceY_ = 0;
    SurfaceMetrics screen_;  // the reference resolution the curve points are taken at
    int columnUnit_ = 0;
    PrintSelection selection_;
    std::unique_ptr<CurveBuffers> buffers_;
    QImage pageImage_;
    int renderCount_ = 0;

    PreviewArea* area_ = nullptr;
    QPushButton* preview_ = nullptr;
    QPushButton* exit_ = nullptr;
    QPushButton* print_ = nullptr;
    QPushButton* fitPage_ = nullptr;
    QPushButton* actualSize_ = nullptr;
    QPushButton* first_ = nullptr;
    QPushButton* back_ = nullptr;
    QPushButton* next_ = nullptr;
    QPushButton* end_ = nullptr;
    QLabel* pagesLabel_ = nullptr;
    QLineEdit* pageEdit_ = nullptr;
    PageCountUpDown* upDown_ = nullptr;
    QLabel* startLabel_ = nullptr;
    QLabel* stopLabel_ = nullptr;
    QDateEdit* startDate_ = nullptr;
    QTimeEdit* startClock_ = nullptr;
    QDateEdit* stopDate_ = nullptr;
    QTimeEdit* stopClock_ = nullptr;
    QScrollBar* horizontalBar_ = nullptr;
    QScrollBar* verticalBar_ = nullptr;
    QLabel* indicator_ = nullptr;
    QRadioButton* curveMode_ = nullptr;
    QRadioButton* textMode_ = nullptr;
    QTimer deferTimer_;
};

}  // namespace veldrin
