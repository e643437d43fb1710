#include "app/preview/CDlgPrintPreview.h"

#include <algorithm>

#include <QDateEdit>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimeEdit>
#include <QVBoxLayout>

#include "app/preview/NavigationArrows.h"
#include "app/preview/PageCountUpDown.h"
#include "app/preview/PreviewArea.h"
#include "app/preview/PrinterTarget.h"
#include "print/PdfExport.h"

namespace veldrin {
namespace {

constexpr QSize kDrawingAreaSize(911, 522);
constexpr int kDeferMilliseconds = 50;
constexpr int kMinZoomPercent = 25;
constexpr int kMaxZoomPercent = 400;
const QColor kInvalidLabelColour(200, 0, 0);

QPushButton* NavigationButton(const char* name, NavigationArrow arrow, QWidget* parent) {
    auto* button = new QPushButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAccessibleName(QString::fromLatin1(name));
    const QPixmap image = NavigationArrowImage(arrow);
    button->setIcon(QIcon(image));
    button->setIconSize(image.size());
    button->setFixedSize(28, 24);
    return button;
}

QPushButton* TextButton(const QString& text, const char* name, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

void SetLabelColour(QLabel* label, const QColor& colour) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}

}  // namespace

CDlgPrintPreview::CDlgPrintPreview(const HistoryDataSet& history, QWidget* parent, TemperatureUnit unit)
    : QDialog(parent), history_(history), unit_(unit) {
    BuildControls();
    ConnectControls();
    Open();
}

CDlgPrintPreview::~CDlgPrintPreview() = default;

void CDlgPrintPreview::BuildControls() {
    setWindowTitle(tr("打印预览"));

    area_ = new PreviewArea(this);
    area_->setFixedSize(kDrawingAreaSize);
    horizontalBar_ = new QScrollBar(Qt::Horizontal, this);
    horizontalBar_->setObjectName(QStringLiteral("horizontalBar"));
    verticalBar_ = new QScrollBar(Qt::Vertical, this);
    verticalBar_->setObjectName(QStringLiteral("verticalBar"));
    for (QScrollBar* bar : {horizontalBar_, verticalBar_}) {
        bar->setSingleStep(1);
        bar->setPageStep(20);
    }
    auto* pageGrid = new QGridLayout;
    pageGrid->setSpacing(0);
    pageGrid->addWidget(area_, 0, 0);
    pageGrid->addWidget(verticalBar_, 0, 1);
    pageGrid->addWidget(horizontalBar_, 1, 0);

    first_ = NavigationButton("home", NavigationArrow::First, this);
    back_ = NavigationButton("back", NavigationArrow::Back, this);
    next_ = NavigationButton("next", NavigationArrow::Next, this);
    end_ = NavigationButton("end", NavigationArrow::End, this);
    indicator_ = new QLabel(this);
    indicator_->setObjectName(QStringLiteral("pageIndicator"));
    indicator_->setMinimumWidth(60);
    indicator_->setAlignment(Qt::AlignCenter);

    pagesLabel_ = new QLabel(tr("页数："), this);
    SetLabelColour(pagesLabel_, Qt::black);
    pageEdit_ = new QLineEdit(this);
    pageEdit_->setObjectName(QStringLiteral("pageCount"));
    pageEdit_->setValidator(new QIntValidator(0, 999, pageEdit_));
    pageEdit_->setFixedWidth(40);
    upDown_ = new PageCountUpDown(*pageEdit_, kMaxCurvePages, kMinCurvePages, this);

    auto* modeGroup = new QGroupBox(tr("打印模式："), this);
    curveMode_ = new QRadioButton(tr("曲线"), modeGroup);
    curveMode_->setObjectName(QStringLiteral("curveMode"));
    textMode_ = new QRadioButton(tr("文本"), modeGroup);
    textMode_->setObjectName(QStringLiteral("textMode"));
    curveMode_->setChecked(true);
    auto* modeLayout = new QHBoxLayout(modeGroup);
    modeLayout->addWidget(curveMode_);
    modeLayout->addWidget(textMode_);

    startLabel_ = new QLabel(tr("开始时间："), this);
    stopLabel_ = new QLabel(tr("停止时间："), this);
    startDate_ = new QDateEdit(this);
    startDate_->setObjectName(QStringLiteral("startDate"));
    stopDate_ = new QDateEdit(this);
    stopDate_->setObjectName(QStringLiteral("stopDate"));
    for (QDateEdit* date : {startDate_, stopDate_}) {
        date->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
        date->setCalendarPopup(true);
    }
    startClock_ = new QTimeEdit(this);
    startClock_->setObjectName(QStringLiteral("startTime"));
    stopClock_ = new QTimeEdit(this);
    stopClock_->setObjectName(QStringLiteral("stopTime"));
    for (QTimeEdit* clock : {startClock_, stopClock_})
        clock->setDisplayFormat(QStringLiteral("HH:mm:ss"));

    preview_ = TextButton(tr("预览"), "preview", this);
    print_ = TextButton(tr("打印"), "print", this);
    exit_ = TextButton(tr("退出"), "exit", this);
    fitPage_ = TextButton(tr("适合页面"), "fitPage", this);
    actualSize_ = TextButton(QStringLiteral("100%"), "actualSize", this);

    auto* navigation = new QHBoxLayout;
    for (QWidget* widget : std::initializer_list<QWidget*>{first_, back_, indicator_, next_, end_}) {
        navigation->addWidget(widget);
    }
    navigation->addSpacing(24);
    navigation->addWidget(pagesLabel_);
    navigation->addWidget(pageEdit_);
    navigation->addWidget(upDown_);
    navigation->addSpacing(24);
    navigation->addWidget(modeGroup);
    navigation->addStretch();
    navigation->addWidget(fitPage_);
    navigation->addWidget(actualSize_);

    auto* range = new QHBoxLayout;
    for (QWidget* widget : std::initializer_list<QWidget*>{startLabel_, startDate_, startClock_}) {
        range->addWidget(widget);
    }
    range->addSpacing(24);
    for (QWidget* widget : std::initializer_list<QWidget*>{stopLabel_, stopDate_, stopClock_}) {
        range->addWidget(widget);
    }
    range->addStretch();
    for (QWidget* widget : std::initializer_list<QWidget*>{preview_, print_, exit_})
        range->addWidget(widget);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(13, 13, 13, 13);
    layout->addLayout(pageGrid);
    layout->addLayout(navigation);
    layout->addLayout(range);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    deferTimer_.setSingleShot(true);
    deferTimer_.setInterval(kDeferMilliseconds);
}

void CDlgPrintPreview::ConnectControls() {
    connect(preview_, &QPushButton::clicked, this, [this] { OnPreview(); });
    connect(exit_, &QPushButton::clicked, this, &QDialog::reject);
    connect(print_, &QPushButton::clicked, this, [this] { PrintAll(); });
    connect(first_, &QPushButton::clicked, this, [this] { GoToPage(1); });
    connect(back_, &QPushButton::clicked, this, [this] { GoToPage(std::max(1, currentPage_ - 1)); });
    connect(next_, &QPushButton::clicked, this,
            [this] { GoToPage(std::min(totalPages_, currentPage_ + 1)); });
    connect(end_, &QPushButton::clicked, this, [this] { GoToPage(totalPages_); });
    connect(pageEdit_, &QLineEdit::textChanged, this, [this] { OnPageCountEdited(); });
    connect(startDate_, &QDateEdit::dateChanged, this, [this] { OnPickerChanged(PickerSide::Start); });
    connect(startClock_, &QTimeEdit::timeChanged, this, [this] { OnPickerChanged(PickerSide::Start); });
    connect(stopDate_, &QDateEdit::dateChanged, this, [this] { OnPickerChanged(PickerSide::Stop); });
    connect(stopClock_, &QTimeEdit::timeChanged, this, [this] { OnPickerChanged(PickerSide::Stop); });
    connect(horizontalBar_, &QScrollBar::valueChanged, this,
            [this](int position) { OnScroll(Qt::Horizontal, position); });
    connect(verticalBar_, &QScrollBar::valueChanged, this,
            [this](int position) { OnScroll(Qt::Vertical, position); });
    connect(area_, &PreviewArea::DoubleClicked, this, [this](QPoint position) { OnDoubleClick(position); });
    connect(area_, &PreviewArea::WheelTurned, this, [this](int delta) { OnWheel(delta); });
    connect(area_, &PreviewArea::ZoomWheelTurned, this, [this](int delta) { OnZoomWheel(delta); });
    connect(fitPage_, &QPushButton::clicked, this, [this] { SetZoom(0); });
    connect(actualSize_, &QPushButton::clicked, this, [this] { SetZoom(100); });
    connect(curveMode_, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked)
            SwitchToCurve();
    });
    connect(textMode_, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked)
            SwitchToText();
    });
    connect(&deferTimer_, &QTimer::timeout, this, [this] { ApplyDeferredDisable(); });
}

void CDlgPrintPreview::Open() {
    for (QPushButton* button : {first_, back_, next_, end_, print_})
        button->setEnabled(false);
    HideScrollBars();
    SetPageEdit(kMinCurvePages);
    indicator_->setText(QStringLiteral("0/0"));
    if (history_.samples.Count() == 0) {
        noData_ = true;
        return;
    }

    historyTimes_ = ParseHistoryTimes(history_);
    startTime_ = historyTimes_.front();
    stopTime_ = historyTimes_.back();
    SetPickers(PickerSide::Start, startTime_);
    SetPickers(PickerSide::Stop, stopTime_);
    startInvalid_ = stopInvalid_ = ready_ = zoomed_ = false;
    mode_ = PrintMode::Curve;
    deferredDisable_ = 0;
    requestedCurvePages_ = kMinCurvePages;
    RebuildSelection();
    totalPages_ = kMinCurvePages;
    currentPage_ = 1;
    stripCount_ = StripCountFor(totalPages_);

    screen_ = ReferenceScreenMetrics();
    columnUnit_ = ColumnUnitFor(screen_);
    buffers_ = std::make_unique<CurveBuffers>(columnUnit_);

    zoomDivisor_ = 1;
    sourceX_ = sourceY_ = 0;
    print_->setEnabled(true);
    ShowPageIndicator();
    first_->setEnabled(false);
    back_->setEnabled(false);
    next_->setEnabled(true);
    end_->setEnabled(true);
    ready_ = true;
    preview_->setEnabled(false);
    RenderCurrentPage();
}

void CDlgPrintPreview::RebuildSelection() {
    selection_ = SelectForPrint(history_, historyTimes_, startTime_, stopTime_, unit_);
}

void CDlgPrintPreview::SetArchiveMark(std::string mark) {
    if (mark == archiveMark_)
        return;
    archiveMark_ = std::move(mark);
    RenderCurrentPage();
}

PrintJob CDlgPrintPreview::Job() const {
    return PrintJob{history_, selection_,  mode_,       totalPages_,
                    screen_,  columnUnit_, stripCount_, archiveMark_};
}

std::time_t CDlgPrintPreview::PickerTime(PickerSide side) const {
    const bool start = side == PickerSide::Start;
    const QDateTime time((start ? startDate_ : stopDate_)->date(),
                         (start ? startClock_ : stopClock_)->time());
    return static_cast<std::time_t>(time.toSecsSinceEpoch());
}

void CDlgPrintPreview::SetPickers(PickerSide side, std::time_t time) {
    const bool start = side == PickerSide::Start;
    const QDateTime local = QDateTime::fromSecsSinceEpoch(time);
    QDateEdit* date = start ? startDate_ : stopDate_;
    QTimeEdit* clock = start ? startClock_ : stopClock_;
    const QSignalBlocker blockDate(date);
    const QSignalBlocker blockClock(clock);
    date->setDate(local.date());
    clock->setTime(local.time());
}

void CDlgPrintPreview::OnPickerChanged(PickerSide side) {
    if (noData_)
        return;
    startTime_ = PickerTime(PickerSide::Start);
    stopTime_ = PickerTime(PickerSide::Stop);
    startInvalid_ = OutsideHistory(historyTimes_, startTime_);
    stopInvalid_ = OutsideHistory(historyTimes_, stopTime_);
    if (startTime_ > stopTime_)
        (side == PickerSide::Start ? startInvalid_ : stopInvalid_) = true;
    preview_->setEnabled(true);
    RepaintLabels();
}

void CDlgPrintPreview::RepaintLabels() {
    SetLabelColour(startLabel_, startInvalid_ ? kInvalidLabelColour : QColor(Qt::black));
    SetLabelColour(stopLabel_, stopInvalid_ ? kInvalidLabelColour : QColor(Qt::black));
}

void CDlgPrintPreview::SetPageEdit(int pages) {
    pageEdit_->setText(QString::number(pages));
}

void CDlgPrintPreview::OnPageCountEdited() {
    if (mode_ != PrintMode::Curve)
        return;
    int pages = pageEdit_->text().toInt();
    if (pages > kMaxCurvePages || pages < kMinCurvePages) {
        pages = std::clamp(pages, kMinCurvePages, kMaxCurvePages);
        const QSignalBlocker block(pageEdit_);
        pageEdit_->setText(QString::number(pages));
        // The next digit typed replaces the corrected number instead of being added to it.
        pageEdit_->selectAll();
    }
    requestedCurvePages_ = pages;
    if (pages != totalPages_)
        preview_->setEnabled(true);
}

void CDlgPrintPreview::OnPreview() {
    if (startInvalid_ || stopInvalid_ || noData_)
        return;
    if (mode_ == PrintMode::Curve) {
        if (totalPages_ != requestedCurvePages_) {
            currentPage_ = 1;
            totalPages_ = requestedCurvePages_;
            stripCount_ = StripCountFor(totalPages_);
        }
        print_->setEnabled(true);
        ShowPageIndicator();
        RebuildSelection();
        SetNavigationButtons();
        ready_ = true;
        deferTimer_.start();
        deferredDisable_ |= kPreview;
        RenderCurrentPage();
        return;
    }
    RebuildSelection();
    currentPage_ = 1;
    totalPages_ = TextPageCount(selection_.count);
    RenderCurrentPage();
    SetPageEdit(totalPages_);
    ShowPageIndicator();
    SetNavigationButtons();
    ready_ = true;
    deferTimer_.start();
    deferredDisable_ |= kPreview;
}

void CDlgPrintPreview::GoToPage(int page) {
    currentPage_ = page;
    SetNavigationButtons();
    if (deferredDisable_ != 0)
        deferTimer_.start();
    ShowPageIndicator();
    RenderCurrentPage();
}

// Buttons that must end up disabled are disabled by the timer, so that a button never loses its
// enabled state while it holds the focus. A pair that must stay enabled drops a disabling still
// pending from an earlier page change.
void CDlgPrintPreview::SetNavigationButtons() {
    if (currentPage_ == 1) {
        next_->setEnabled(true);
        end_->setEnabled(true);
        next_->setFocus();
        deferredDisable_ |= kFirstAndBack;
    } else {
        first_->setEnabled(true);
        back_->setEnabled(true);
        deferredDisable_ &= ~kFirstAndBack;
    }
    if (currentPage_ == totalPages_) {
        first_->setEnabled(true);
        back_->setEnabled(true);
        back_->setFocus();
        deferredDisable_ |= kNextAndEnd;
    } else {
        next_->setEnabled(true);
        end_->setEnabled(true);
        deferredDisable_ &= ~kNextAndEnd;
    }
}

void CDlgPrintPreview::SetNavigationDirectly() {
    first_->setEnabled(currentPage_ != 1);
    back_->setEnabled(currentPage_ != 1);
    next_->setEnabled(currentPage_ != totalPages_);
    end_->setEnabled(currentPage_ != totalPages_);
}

void CDlgPrintPreview::ApplyDeferredDisable() {
    if (deferredDisable_ & kNextAndEnd) {
        next_->setEnabled(false);
        end_->setEnabled(false);
    }
    if (deferredDisable_ & kFirstAndBack) {
        first_->setEnabled(false);
        back_->setEnabled(false);
    }
    if (deferredDisable_ & kPreview)
        preview_->setEnabled(false);
    deferredDisable_ = 0;
    deferTimer_.stop();
}

void CDlgPrintPreview::ShowPageIndicator() {
    indicator_->setText(QStringLiteral("%1/%2").arg(currentPage_).arg(totalPages_));
}

QSize CDlgPrintPreview::ScreenPageSize(PrintMode mode) const {
    return PageSizeFor(mode, area_->logicalDpiX(), area_->logicalDpiY());
}

void CDlgPrintPreview::RenderCurrentPage() {
    if (noData_)
        return;
    ++renderCount_;
    pageImage_ = RenderPageImage(Job(), currentPage_, area_->logicalDpiX(), area_->logicalDpiY(), *buffers_);
    CopyPage();
}

void CDlgPrintPreview::CopyPage() {
    if (pageImage_.isNull())
        return;
    const QRect client = area_->rect();
    const int pageWidth = pageImage_.width();
    const int pageHeight = pageImage_.height();
    if (zoomPercent_ > 0) {
        // A page smaller than the area at this zoom sits in its middle, on grey.
        const QSize visible = ZoomedSourceSize();
        const QSize shown(visible.width() * zoomPercent_ / 100, visible.height() * zoomPercent_ / 100);
        const QPoint corner(std::max(0, (client.width() - shown.width()) / 2),
                            std::max(0, (client.height() - shown.height()) / 2));
        area_->ShowCopy(pageImage_, QRect(QPoint(sourceX_, sourceY_), visible), QRect(corner, shown), true);
        return;
    }
    if (mode_ == PrintMode::Curve) {
        const QRect source(sourceX_, sourceY_, pageWidth / zoomDivisor_, pageHeight / zoomDivisor_);
        area_->ShowCopy(pageImage_, source, client, false);
        return;
    }
    const int width = client.width() / 4 * 3;
    const QRect destination((client.width() - width) / 2, 0, width, client.height());
    area_->ShowCopy(pageImage_, QRect(sourceX_, sourceY_, pageWidth, pageHeight / 2), destination, true);
}

void CDlgPrintPreview::OnDoubleClick(QPoint position) {
    if (zoomPercent_ > 0) {
        SetZoom(0);
        return;
    }
    if (mode_ != PrintMode::Curve || !ready_)
        return;
    if (zoomed_) {
        HideScrollBars();
        sourceX_ = sourceY_ = 0;
        zoomDivisor_ = 1;
        zoomed_ = false;
        CopyPage();
        return;
    }
    // The pointer maps proportionally onto the page image; the shown half starts there.
    const QSize page = pageImage_.size();
    const QSize area = area_->size();
    const int x = std::clamp(page.width() * position.x() / area.width() / 2, 0, page.width() / 2);
    const int y = std::clamp(page.height() * position.y() / area.height() / 2, 0, page.height() / 2);
    {
        const QSignalBlocker blockHorizontal(horizontalBar_);
        const QSignalBlocker blockVertical(verticalBar_);
        horizontalBar_->setRange(0, page.width() / 2);
        verticalBar_->setRange(0, page.height() / 2);
        horizontalBar_->setValue(x);
        verticalBar_->setValue(y);
    }
    horizontalBar_->show();
    verticalBar_->show();
    zoomDivisor_ = 2;
    sourceX_ = x;
    sourceY_ = y;
    zoomed_ = true;
    CopyPage();
}

void CDlgPrintPreview::OnScroll(Qt::Orientation orientation, int position) {
    if (zoomPercent_ > 0) {
        (orientation == Qt::Horizontal ? sourceX_ : sourceY_) = position;
        CopyPage();
        return;
    }
    const QSize page = ScreenPageSize(mode_);
    if (orientation == Qt::Horizontal) {
        sourceX_ = std::clamp(position, 0, ScreenPageSize(PrintMode::Curve).width() / 2);
    } else {
        sourceY_ = std::clamp(position, 0, page.height() / 2);
    }
    CopyPage();
}

void CDlgPrintPreview::OnWheel(int delta) {
    if (zoomPercent_ > 0) {
        // One notch moves by 40 pixels of the page; the bar's signal moves the copy.
        verticalBar_->setValue(verticalBar_->value() - delta / 3);
        return;
    }
    if (mode_ != PrintMode::Text || !ready_)
        return;
    // One notch (120) moves by 20 pixels; turning toward the user moves down the page.
    const int limit = ScreenPageSize(PrintMode::Text).height() / 2;
    sourceY_ = std::clamp(sourceY_ - delta / 6, 0, limit);
    {
        const QSignalBlocker block(verticalBar_);
        verticalBar_->setValue(sourceY_);
    }
    CopyPage();
}

void CDlgPrintPreview::OnZoomWheel(int delta) {
    if (!ready_ || pageImage_.isNull() || delta == 0)
        return;
    // From the fitted page the steps start at the zoom it is shown at.
    const int current = zoomPercent_ > 0 ? zoomPercent_ : area_->width() * 100 / pageImage_.width();
    SetZoom(delta > 0 ? std::max(current + 1, current * 5 / 4) : current * 4 / 5);
}

QSize CDlgPrintPreview::ZoomedSourceSize() const {
    return QSize(std::min(pageImage_.width(), area_->width() * 100 / zoomPercent_),
                 std::min(pageImage_.height(), area_->height() * 100 / zoomPercent_));
}

void CDlgPrintPreview::SetZoomBars() {
    const QSize visible = ZoomedSourceSize();
    const int right = pageImage_.width() - visible.width();
    const int bottom = pageImage_.height() - visible.height();
    sourceX_ = std::clamp(sourceX_, 0, right);
    sourceY_ = std::clamp(sourceY_, 0, bottom);
    const QSignalBlocker blockHorizontal(horizontalBar_);
    const QSignalBlocker blockVertical(verticalBar_);
    horizontalBar_->setRange(0, right);
    verticalBar_->setRange(0, bottom);
    horizontalBar_->setValue(sourceX_);
    verticalBar_->setValue(sourceY_);
    horizontalBar_->setVisible(right > 0);
    verticalBar_->setVisible(bottom > 0);
    verticalBar_->setEnabled(true);
}

void CDlgPrintPreview::SetZoom(int percent) {
    if (!ready_ || noData_ || pageImage_.isNull())
        return;
    zoomed_ = false;
    zoomDivisor_ = 1;
    if (percent <= 0) {
        // Back to the page as the preview first shows it in this mode.
        zoomPercent_ = 0;
        sourceX_ = sourceY_ = 0;
        if (mode_ == PrintMode::Curve) {
            HideScrollBars();
        } else {
            const QSignalBlocker block(verticalBar_);
            horizontalBar_->hide();
            verticalBar_->setRange(0, ScreenPageSize(PrintMode::Text).height() / 2);
            verticalBar_->setValue(0);
            verticalBar_->show();
        }
        CopyPage();
        return;
    }
    zoomPercent_ = std::clamp(percent, kMinZoomPercent, kMaxZoomPercent);
    SetZoomBars();
    CopyPage();
}

void CDlgPrintPreview::HideScrollBars() {
    horizontalBar_->hide();
    verticalBar_->hide();
}

void CDlgPrintPreview::SwitchToCurve() {
    if (mode_ == PrintMode::Curve)
        return;
    mode_ = PrintMode::Curve;
    totalPages_ = savedCurvePages_;
    currentPage_ = 1;
    SetPageEdit(totalPages_);
    ShowPageIndicator();
    SetNavigationDirectly();
    HideScrollBars();
    sourceX_ = sourceY_ = 0;
    zoomDivisor_ = 1;
    zoomPercent_ = 0;
    zoomed_ = false;
    const int rendered = renderCount_;
    OnPreview();
    // Preview refuses while a label is red; the page shown must still be a curve page.
    if (renderCount_ == rendered)
        RenderCurrentPage();
    pageEdit_->setEnabled(true);
    upDown_->setEnabled(true);
}

void CDlgPrintPreview::SwitchToText() {
    if (mode_ == PrintMode::Text)
        return;
    mode_ = PrintMode::Text;
    RebuildSelection();
    savedCurvePages_ = totalPages_;
    totalPages_ = TextPageCount(selection_.count);
    currentPage_ = 1;
    SetPageEdit(totalPages_);
    ShowPageIndicator();
    SetNavigationDirectly();
    HideScrollBars();
    {
        const QSignalBlocker block(verticalBar_);
        verticalBar_->setRange(0, ScreenPageSize(PrintMode::Text).height() / 2);
        verticalBar_->setValue(0);
    }
    verticalBar_->setEnabled(true);
    verticalBar_->show();
    sourceX_ = sourceY_ = 0;
    zoomDivisor_ = 1;
    zoomPercent_ = 0;
    zoomed_ = false;
    RenderCurrentPage();
    pageEdit_->setEnabled(false);
    upDown_->setEnabled(false);
}

bool CDlgPrintPreview::ChoosePrinter(QPrinter& printer) {
    QPrintDialog dialog(&printer, this);
    dialog.setOptions(QAbstractPrintDialog::PrintShowPageSize);
    return dialog.exec() == QDialog::Accepted;
}

bool CDlgPrintPreview::PrintersInstalled() const {
    return !QPrinterInfo::availablePrinters().isEmpty();
}

void CDlgPrintPreview::OfferPdfInstead() {
    const QMessageBox::StandardButton answer =
        QMessageBox::question(this, windowTitle(), tr("没有安装打印机。\n要把这些页写成 PDF 文件吗？"),
                              QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
    if (answer != QMessageBox::Yes)
        return;
    QFileDialog dialog(this);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(QStringLiteral("PDF (*.pdf)"));
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    const QString name = DocumentName(history_);
    dialog.selectFile(name.isEmpty() ? QStringLiteral("Veldrin.pdf") : name + QStringLiteral(".pdf"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString path = dialog.selectedFiles().constFirst();
    const PdfExportResult result = WritePdfPages(Job(), path.toStdString());
    if (result.status != PdfExportStatus::Written) {
        QMessageBox box(QMessageBox::Critical, windowTitle(), tr("文件保存出错"), QMessageBox::Ok, this);
        box.setDetailedText(QString::fromStdString(result.message));
        box.exec();
        return;
    }
    QMessageBox::information(this, windowTitle(),
                             tr("已写入 %1 页：\n%2").arg(result.pages).arg(QDir::toNativeSeparators(path)));
    emit pagesWritten(path);
}

void CDlgPrintPreview::PrintAll() {
    print_->setEnabled(false);
    if (!PrintersInstalled()) {
        OfferPdfInstead();
        print_->setEnabled(true);
        return;
    }
    const QString title = DocumentName(history_);
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(mode_ == PrintMode::Curve ? QPageLayout::Landscape : QPageLayout::Portrait);
    printer.setDocName(title);
    if (!ChoosePrinter(printer)) {
        print_->setEnabled(true);
        return;
    }
    printer.setDocName(title);
    PrinterTarget target(printer);
    PrintAllPages(target, Job());
    print_->setEnabled(true);
}

}  // namespace veldrin
