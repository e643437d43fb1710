#include <gtest/gtest.h>

#include <filesystem>

#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <QTimeEdit>
#include <QToolButton>
#include <QWheelEvent>

#include "app/preview/CDlgPrintPreview.h"
#include "app/preview/PreviewArea.h"
#include "tests/print/PrintTestSupport.h"

namespace veldrin {
namespace {

using test::HistorySpec;
using test::MakeHistory;

// A preview whose printer choice is made by the test: accepted into a PDF file, or cancelled.
class TestPreview final : public CDlgPrintPreview {
  public:
    using CDlgPrintPreview::CDlgPrintPreview;
    std::string pdfPath;
    bool accept = true;
    int printerDialogs = 0;
    QPageLayout::Orientation orientation = QPageLayout::Landscape;
    QString documentName;

  protected:
    // A printer stands in for the one the test chooses, whatever the machine has installed.
    bool PrintersInstalled() const override { return true; }
    bool ChoosePrinter(QPrinter& printer) override {
        ++printerDialogs;
        orientation = printer.pageLayout().orientation();
        documentName = printer.docName();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(pdfPath));
        return accept;
    }
};

class PreviewDialog : public ::testing::Test {
  protected:
    void SetUp() override { test::EnsureApplication(); }

    void Open(const HistorySpec& spec) {
        history = MakeHistory(spec);
        dialog = std::make_unique<TestPreview>(*history);
    }

    template <typename T>
    T* Find(const char* name) const {
        T* widget = dialog->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QPushButton* Button(const char* name) const { return Find<QPushButton>(name); }
    QString Indicator() const { return Find<QLabel>("pageIndicator")->text(); }
    QLineEdit* PageEdit() const { return Find<QLineEdit>("pageCount"); }
    PreviewArea* Area() const { return Find<PreviewArea>("drawingArea"); }
    // The enabled state of First, Back, Next and End.
    std::vector<bool> Navigation() const {
        return {Button("home")->isEnabled(), Button("back")->isEnabled(), Button("next")->isEnabled(),
                Button("end")->isEnabled()};
    }
    void Click(const char* name) const { QTest::mouseClick(Button(name), Qt::LeftButton); }
    static void LetTheTimerRun() { QTest::qWait(120); }

    void SetPageCount(const QString& text) const { PageEdit()->setText(text); }
    void SetStart(std::time_t time) const { SetPicker("startDate", "startTime", time); }
    void SetStop(std::time_t time) const { SetPicker("stopDate", "stopTime", time); }
    void SetPicker(const char* dateName, const char* timeName, std::time_t time) const {
        const QDateTime local = QDateTime::fromSecsSinceEpoch(time);
        Find<QDateEdit>(dateName)->setDate(local.date());
        Find<QTimeEdit>(timeName)->setTime(local.time());
    }
    QColor LabelColour(const QString& text) const {
        for (QLabel* label : dialog->findChildren<QLabel*>()) {
            if (label->text() == text)
                return label->palette().color(QPalette::WindowText);
        }
        ADD_FAILURE() << text.toStdString();
        return {};
    }
    std::time_t SampleTime(int index) const { return history->samples.Time(index); }

    std::unique_ptr<HistoryDataSet> history;
    std::unique_ptr<TestPreview> dialog;
};

const QColor kRed(200, 0, 0);

TEST_F(PreviewDialog, OpensOnPageOneOfTwoCurvePages) {
    Open({.count = 130});
    EXPECT_EQ(dialog->Mode(), PrintMode::Curve);
    EXPECT_EQ(Indicator(), "1/2");
    EXPECT_EQ(PageEdit()->text(), "2");
    EXPECT_EQ(Navigation(), (std::vector<bool>{false, false, true, true}));
    EXPECT_TRUE(Button("print")->isEnabled());
    EXPECT_FALSE(Button("preview")->isEnabled());
    EXPECT_EQ(dialog->StripCount(), 3);
    EXPECT_EQ(dialog->Selection().count, 130);
    EXPECT_EQ(dialog->RenderCount(), 1);
    const int dpi = Area()->logicalDpiX();
    EXPECT_EQ(dialog->PageImage().size(), PageSizeFor(PrintMode::Curve, dpi, Area()->logicalDpiY()));
    EXPECT_EQ(dialog->ColumnUnit(), 906) << "the curve points of 96 pixels per inch, whatever the screen";
    EXPECT_EQ(Area()->Destination(), Area()->rect()) << "a curve page fills the drawing area";
    EXPECT_EQ(Area()->Source(), QRect(QPoint(0, 0), dialog->PageImage().size()));
    EXPECT_FALSE(Find<QScrollBar>("horizontalBar")->isVisibleTo(dialog.get()));
    EXPECT_EQ(Find<QTimeEdit>("startTime")->displayFormat(), "HH:mm:ss");
    EXPECT_EQ(Find<QTimeEdit>("startTime")->time(), QTime(8, 0, 0));
    EXPECT_EQ(Find<QTimeEdit>("stopTime")->time(), QTime(10, 9, 0));
}

TEST_F(PreviewDialog, AnEmptyHistoryIgnoresPreviewAndOffersNothing) {
    Open({.count = 0});
    Click("preview");
    EXPECT_EQ(Indicator(), "0/0");
    EXPECT_EQ(dialog->RenderCount(), 0);
    EXPECT_EQ(Navigation(), (std::vector<bool>{false, false, false, false}));
    EXPECT_FALSE(Button("print")->isEnabled());
    Find<QRadioButton>("textMode")->click();
    Find<QRadioButton>("curveMode")->click();
    EXPECT_EQ(dialog->RenderCount(), 0);
}

TEST_F(PreviewDialog, NavigationDisablesTheButtonsOfTheEndReachedOnlyAfterTheTimer) {
    Open({.count = 130});
    SetPageCount("4");
    Click("preview");
    LetTheTimerRun();
    Click("next");
    EXPECT_EQ(Indicator(), "2/4");
    EXPECT_EQ(Navigation(), (std::vector<bool>{true, true, true, true}));
    Click("end");
    EXPECT_EQ(dialog->CurrentPage(), 4);
    EXPECT_EQ(Navigation(), (std::vector<bool>{true, true, true, true})) << "disabling waits for the timer";
    LetTheTimerRun();
    EXPECT_EQ(Navigation(), (std::vector<bool>{true, true, false, false}));
    Click("back");
    EXPECT_EQ(Indicator(), "3/4");
    EXPECT_EQ(Navigation(), (std::vector<bool>{true, true, true, true}));
    Click("home");
    LetTheTimerRun();
    EXPECT_EQ(Indicator(), "1/4");
    EXPECT_EQ(Navigation(), (std::vector<bool>{false, false, true, true}));
    EXPECT_EQ(dialog->RenderCount(), 6) << "opening, preview and four page changes";
}

TEST_F(PreviewDialog, PageCountEditKeepsTwoToTen) {
    Open({.count = 130});
    SetPageCount("11");
    EXPECT_EQ(PageEdit()->text(), "10");
    EXPECT_EQ(dialog->RequestedCurvePages(), 10);
    SetPageCount("0");
    EXPECT_EQ(PageEdit()->text(), "2");
    SetPageCount("1");
    EXPECT_EQ(PageEdit()->text(), "2");
    EXPECT_EQ(dialog->RequestedCurvePages(), 2);
    PageEdit()->selectAll();
    QTest::keyClicks(PageEdit(), "7");
    EXPECT_EQ(dialog->RequestedCurvePages(), 7);
    EXPECT_TRUE(Button("preview")->isEnabled());
}

TEST_F(PreviewDialog, ACorrectedPageCountIsSelectedSoThatTheNextDigitReplacesIt) {
    Open({.count = 130});
    PageEdit()->setFocus();
    PageEdit()->selectAll();
    QTest::keyClick(PageEdit(), Qt::Key_Backspace);
    EXPECT_EQ(PageEdit()->text(), "2") << "an empty edit is read as 0";
    QTest::keyClicks(PageEdit(), "5");
    EXPECT_EQ(PageEdit()->text(), "5");
    EXPECT_EQ(dialog->RequestedCurvePages(), 5);
    QTest::keyClicks(PageEdit(), "0");
    EXPECT_EQ(PageEdit()->text(), "10") << "50 is cut to 10";
    QTest::keyClicks(PageEdit(), "3");
    EXPECT_EQ(PageEdit()->text(), "3");
    EXPECT_EQ(dialog->RequestedCurvePages(), 3);
}

TEST_F(PreviewDialog, UpDownArrowsRunBackwards) {
    Open({.count = 130});
    auto* up = Find<QToolButton>("pageCountUp");
    auto* down = Find<QToolButton>("pageCountDown");
    SetPageCount("5");
    QTest::mouseClick(up, Qt::LeftButton);
    EXPECT_EQ(PageEdit()->text(), "4");
    QTest::mouseClick(down, Qt::LeftButton);
    QTest::mouseClick(down, Qt::LeftButton);
    EXPECT_EQ(PageEdit()->text(), "6");
    EXPECT_EQ(dialog->RequestedCurvePages(), 6);
    SetPageCount("2");
    QTest::mouseClick(up, Qt::LeftButton);
    EXPECT_EQ(PageEdit()->text(), "2");
    SetPageCount("10");
    QTest::mouseClick(down, Qt::LeftButton);
    EXPECT_EQ(PageEdit()->text(), "10");
}

TEST_F(PreviewDialog, ANewCurvePageCountStartsAgainOnPageOne) {
    Open({.count = 130});
    Click("next");
    EXPECT_EQ(dialog->CurrentPage(), 2);
    SetPageCount("10");
    Click("preview");
    EXPECT_EQ(dialog->CurrentPage(), 1);
    EXPECT_EQ(dialog->TotalPages(), 10);
    EXPECT_EQ(dialog->StripCount(), 27);
    EXPECT_EQ(Indicator(), "1/10");
    EXPECT_TRUE(Button("preview")->isEnabled());
    LetTheTimerRun();
    EXPECT_FALSE(Button("preview")->isEnabled()) << "Preview waits for the next change";
    Click("next");
    Click("preview");  // disabled: nothing happens
    EXPECT_EQ(dialog->CurrentPage(), 2);
}

TEST_F(PreviewDialog, PickersOutsideTheHistoryOrReversedTurnTheirLabelRedAndBlockPreview) {
    Open({.count = 130});
    EXPECT_EQ(LabelColour("开始时间："), QColor(Qt::black));
    SetStart(SampleTime(0) - 1);
    EXPECT_TRUE(dialog->StartInvalid());
    EXPECT_EQ(LabelColour("开始时间："), kRed);
    EXPECT_TRUE(Button("preview")->isEnabled());
    const int rendered = dialog->RenderCount();
    Click("preview");
    EXPECT_EQ(dialog->RenderCount(), rendered);

    SetStart(SampleTime(10));
    EXPECT_FALSE(dialog->StartInvalid());
    SetStop(SampleTime(5));
    EXPECT_TRUE(dialog->StopInvalid()) << "the stop picker made the range reversed";
    EXPECT_FALSE(dialog->StartInvalid());
    EXPECT_EQ(LabelColour("停止时间："), kRed);
    SetStop(SampleTime(20));
    SetStart(SampleTime(30));
    EXPECT_TRUE(dialog->StartInvalid()) << "the start picker made the range reversed";
    EXPECT_FALSE(dialog->StopInvalid());
    EXPECT_EQ(LabelColour("停止时间："), QColor(Qt::black));

    SetStart(SampleTime(12) + 1);
    Click("preview");
    EXPECT_EQ(dialog->Selection().firstIndex, 13);
    EXPECT_EQ(dialog->Selection().lastIndex, 20);
    EXPECT_EQ(dialog->RenderCount(), rendered + 1);
}

TEST_F(PreviewDialog, TextModeHasOnePagePerSixtyRowsAndComesBackToTheCurvePageCount) {
    Open({.count = 121});
    SetPageCount("5");
    Click("preview");
    Find<QRadioButton>("textMode")->click();
    EXPECT_EQ(dialog->Mode(), PrintMode::Text);
    EXPECT_EQ(dialog->TotalPages(), 4);
    EXPECT_EQ(Indicator(), "1/4");
    EXPECT_EQ(PageEdit()->text(), "4");
    EXPECT_FALSE(PageEdit()->isEnabled());
    EXPECT_TRUE(Find<QScrollBar>("verticalBar")->isVisibleTo(dialog.get()));
    EXPECT_EQ(dialog->PageImage().size(),
              PageSizeFor(PrintMode::Text, Area()->logicalDpiX(), Area()->logicalDpiY()));
    EXPECT_EQ(Navigation(), (std::vector<bool>{false, false, true, true}));

    Find<QRadioButton>("curveMode")->click();
    EXPECT_EQ(dialog->Mode(), PrintMode::Curve);
    EXPECT_EQ(dialog->TotalPages(), 5);
    EXPECT_EQ(dialog->CurrentPage(), 1);
    EXPECT_EQ(PageEdit()->text(), "5");
    EXPECT_TRUE(PageEdit()->isEnabled());
    EXPECT_EQ(dialog->StripCount(), 12);
    EXPECT_FALSE(Find<QScrollBar>("verticalBar")->isVisibleTo(dialog.get()));
    EXPECT_EQ(dialog->PageImage().size(),
              PageSizeFor(PrintMode::Curve, Area()->logicalDpiX(), Area()->logicalDpiY()));
}

TEST_F(PreviewDialog, TextPreviewCountsPagesOfTheChosenRange) {
    Open({.count = 200});
    Find<QRadioButton>("textMode")->click();
    EXPECT_EQ(dialog->TotalPages(), 5);
    SetStop(SampleTime(119));
    Click("preview");
    EXPECT_EQ(dialog->TotalPages(), 3) << "120 samples";
    EXPECT_EQ(PageEdit()->text(), "3");
    SetStop(SampleTime(120));
    Click("preview");
    EXPECT_EQ(dialog->TotalPages(), 4) << "121 samples";
    EXPECT_EQ(Indicator(), "1/4");
}

TEST_F(PreviewDialog, AnEmptySelectionInTextModeIsOnePageWithoutNavigation) {
    Open({.count = 130});
    Find<QRadioButton>("textMode")->click();
    SetStart(SampleTime(3) + 1);
    SetStop(SampleTime(3) + 2);
    EXPECT_FALSE(dialog->StartInvalid());
    EXPECT_FALSE(dialog->StopInvalid());
    Click("preview");
    EXPECT_TRUE(dialog->Selection().Empty());
    EXPECT_EQ(Indicator(), "1/1");
    LetTheTimerRun();
    EXPECT_EQ(Navigation(), (std::vector<bool>{false, false, false, false}));
}

TEST_F(PreviewDialog, FitPageActualSizeAndCtrlWheelZoomWithoutRenderingAgain) {
    Open({.count = 130});
    const QSize page = dialog->PageImage().size();
    const QRect client = Area()->rect();
    ASSERT_GT(page.width(), client.width()) << "an A4 page at the screen's resolution is wider than the area";
    const int rendered = dialog->RenderCount();
    auto turn = [&](int delta, Qt::KeyboardModifiers modifiers) {
        QWheelEvent wheel(QPointF(100, 100), Area()->mapToGlobal(QPointF(100, 100)), QPoint(),
                          QPoint(0, delta), Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
        QApplication::sendEvent(Area(), &wheel);
    };

    // 100 %: one page pixel on one screen pixel, the top left corner first, bars to reach the rest.
    Click("actualSize");
    EXPECT_EQ(dialog->ZoomPercent(), 100);
    const QSize visible(client.width(), std::min(client.height(), page.height()));
    EXPECT_EQ(Area()->Source(), QRect(QPoint(0, 0), visible));
    EXPECT_EQ(Area()->Destination().size(), visible);
    auto* horizontal = Find<QScrollBar>("horizontalBar");
    auto* vertical = Find<QScrollBar>("verticalBar");
    EXPECT_TRUE(horizontal->isVisibleTo(dialog.get()));
    EXPECT_EQ(horizontal->maximum(), page.width() - visible.width());
    horizontal->setValue(horizontal->maximum());
    EXPECT_EQ(Area()->Source().right(), page.width() - 1) << "the right edge of the page is reachable";
    turn(-120, Qt::NoModifier);
    EXPECT_EQ(dialog->SourceY(), std::min(40, page.height() - visible.height())) << "the wheel scrolls";

    // Ctrl and the wheel zoom in steps, away from the user larger.
    turn(120, Qt::ControlModifier);
    EXPECT_EQ(dialog->ZoomPercent(), 125);
    EXPECT_EQ(Area()->Source().width(), client.width() * 100 / 125);
    turn(-120, Qt::ControlModifier);
    turn(-120, Qt::ControlModifier);
    EXPECT_EQ(dialog->ZoomPercent(), 80);
    for (int i = 0; i < 30; ++i)
        turn(-120, Qt::ControlModifier);
    EXPECT_EQ(dialog->ZoomPercent(), 25) << "no smaller than a quarter";
    EXPECT_EQ(Area()->Source(), QRect(QPoint(0, 0), page)) << "the whole page, small";
    EXPECT_NEAR(Area()->Destination().center().x(), client.center().x(), 1) << "centred on grey";

    // Fit page: the page as the preview opened with it, bars gone.
    Click("fitPage");
    EXPECT_EQ(dialog->ZoomPercent(), 0);
    EXPECT_EQ(Area()->Source(), QRect(QPoint(0, 0), page));
    EXPECT_EQ(Area()->Destination(), client);
    EXPECT_FALSE(horizontal->isVisibleTo(dialog.get()));
    EXPECT_FALSE(vertical->isVisibleTo(dialog.get()));
    EXPECT_EQ(dialog->RenderCount(), rendered) << "zooming only copies the page rendered once";

    // From the fitted page, Ctrl and the wheel start at the zoom it is shown at.
    turn(-120, Qt::ControlModifier);
    EXPECT_EQ(dialog->ZoomPercent(), client.width() * 100 / page.width() * 4 / 5);
    // A double click returns to the fitted page, and a page change keeps the zoom chosen.
    Click("actualSize");
    Click("next");
    EXPECT_EQ(dialog->ZoomPercent(), 100);
    EXPECT_EQ(Area()->Source().size(), visible);
    QTest::mouseDClick(Area(), Qt::LeftButton, Qt::NoModifier, QPoint(400, 300));
    EXPECT_EQ(dialog->ZoomPercent(), 0);
    EXPECT_FALSE(dialog->Zoomed()) << "the double click only left the zoom";
}

TEST_F(PreviewDialog, TextPagesShowHalfAPageOnGreyAndScrollWithTheWheel) {
    Open({.count = 130});
    Find<QRadioButton>("textMode")->click();
    const QSize page = dialog->PageImage().size();
    const QRect client = Area()->rect();
    const int width = client.width() / 4 * 3;
    EXPECT_EQ(Area()->Destination(), QRect((client.width() - width) / 2, 0, width, client.height()));
    EXPECT_EQ(Area()->Source(), QRect(0, 0, page.width(), page.height() / 2));
    const int rendered = dialog->RenderCount();

    auto turn = [&](int delta) {
        QWheelEvent wheel(QPointF(100, 100), Area()->mapToGlobal(QPointF(100, 100)), QPoint(),
                          QPoint(0, delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(Area(), &wheel);
    };
    turn(-120);
    EXPECT_EQ(dialog->SourceY(), 20);
    turn(-240);
    EXPECT_EQ(dialog->SourceY(), 60);
    EXPECT_EQ(Find<QScrollBar>("verticalBar")->value(), 60);
    turn(120);
    EXPECT_EQ(dialog->SourceY(), 40);
    turn(1200);
    EXPECT_EQ(dialog->SourceY(), 0);
    for (int i = 0; i < 100; ++i)
        turn(-120);
    EXPECT_EQ(dialog->SourceY(), page.height() / 2);
    EXPECT_EQ(Area()->Source().top(), page.height() / 2);
    EXPECT_EQ(dialog->RenderCount(), rendered) << "scrolling only copies";

    Find<QScrollBar>("verticalBar")->setValue(33);
    EXPECT_EQ(dialog->SourceY(), 33);
}

TEST_F(PreviewDialog, DoubleClickZoomsTheCurvePageAndScrollBarsMoveIt) {
    Open({.count = 130});
    const QSize page = dialog->PageImage().size();
    const QSize area = Area()->size();
    const int rendered = dialog->RenderCount();
    QTest::mouseDClick(Area(), Qt::LeftButton, Qt::NoModifier, QPoint(area.width() / 2, area.height() / 4));
    ASSERT_TRUE(dialog->Zoomed());
    EXPECT_EQ(dialog->SourceX(), page.width() * (area.width() / 2) / area.width() / 2);
    EXPECT_EQ(dialog->SourceY(), page.height() * (area.height() / 4) / area.height() / 2);
    EXPECT_EQ(Area()->Source().size(), QSize(page.width() / 2, page.height() / 2));
    auto* horizontal = Find<QScrollBar>("horizontalBar");
    EXPECT_TRUE(horizontal->isVisibleTo(dialog.get()));
    EXPECT_EQ(horizontal->maximum(), page.width() / 2);
    EXPECT_EQ(horizontal->value(), dialog->SourceX());

    const int zoomX = dialog->SourceX();
    horizontal->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(dialog->SourceX(), zoomX + 20);
    horizontal->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(dialog->SourceX(), zoomX + 19);
    horizontal->setValue(100000);
    EXPECT_EQ(dialog->SourceX(), page.width() / 2);
    EXPECT_EQ(Area()->Source().left(), page.width() / 2);

    QTest::mouseDClick(Area(), Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    EXPECT_FALSE(dialog->Zoomed());
    EXPECT_FALSE(horizontal->isVisibleTo(dialog.get()));
    EXPECT_EQ(Area()->Source(), QRect(QPoint(0, 0), page));
    EXPECT_EQ(dialog->RenderCount(), rendered) << "zooming only copies";
}

TEST_F(PreviewDialog, TheWheelAndDoubleClickBelongToOneModeEach) {
    Open({.count = 130});
    QWheelEvent wheel(QPointF(100, 100), QPointF(100, 100), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(Area(), &wheel);
    EXPECT_EQ(dialog->SourceY(), 0) << "no wheel scrolling of curve pages";
    Find<QRadioButton>("textMode")->click();
    QTest::mouseDClick(Area(), Qt::LeftButton, Qt::NoModifier, QPoint(400, 300));
    EXPECT_FALSE(dialog->Zoomed()) << "no zoom of table pages";
}

TEST_F(PreviewDialog, PrintingSendsEveryPageOfTheModeToTheChosenPrinter) {
    Open({.count = 130});
    dialog->pdfPath = test::TemporaryPath("preview-text.pdf");
    Find<QRadioButton>("textMode")->click();
    Click("print");
    EXPECT_EQ(dialog->printerDialogs, 1);
    EXPECT_EQ(dialog->orientation, QPageLayout::Portrait);
    EXPECT_EQ(dialog->documentName, "冷库一号");
    EXPECT_EQ(test::PdfPages(dialog->pdfPath), 4);
    EXPECT_TRUE(Button("print")->isEnabled());

    dialog->pdfPath = test::TemporaryPath("preview-curve.pdf");
    Find<QRadioButton>("curveMode")->click();
    Click("print");
    EXPECT_EQ(dialog->orientation, QPageLayout::Landscape);
    EXPECT_EQ(test::PdfPages(dialog->pdfPath), 2);
}

TEST_F(PreviewDialog, TheJobIsNamedAfterTheTitleWithoutTheBlanksOfADataFile) {
    HistorySpec spec{.count = 30};
    history = MakeHistory(spec);
    history->summary.title = "冷库一号" + std::string(24, ' ');
    dialog = std::make_unique<TestPreview>(*history);
    dialog->pdfPath = test::TemporaryPath("padded-title.pdf");
    Click("print");
    EXPECT_EQ(dialog->documentName, "冷库一号");
    const std::string info = test::RunCommand("pdfinfo '" + dialog->pdfPath + "'");
    EXPECT_NE(info.find("冷库一号\n"), std::string::npos) << info;
}

TEST_F(PreviewDialog, WorksOnItsOwnCopyOfTheHistory) {
    Open({.model = LoggerModel::TemperatureHumidity, .count = 130});
    const float firstHumidity = history->samples.Value2(0);
    const std::time_t stop = SampleTime(120);
    // The history is replaced while the dialog is open, as a download that finishes does.
    *history = *MakeHistory({.model = LoggerModel::TemperatureHumidity,
                             .count = 20,
                             .start = history->samples.Time(50),
                             .value1 = [](int) { return -30.0F; },
                             .value2 = [](int) { return 5.0F; }});
    history->summary.title = "另一个历史";
    SetStop(stop);
    Click("preview");
    EXPECT_EQ(dialog->Selection().count, 121);
    EXPECT_FLOAT_EQ(dialog->Selection().values2[0], firstHumidity);
    EXPECT_FLOAT_EQ(dialog->Selection().min1, 20.0F);
    EXPECT_EQ(dialog->Selection().summaryLines[0], "标题：冷库一号");
    dialog->pdfPath = test::TemporaryPath("own-copy.pdf");
    Click("print");
    EXPECT_EQ(dialog->documentName, "冷库一号");
}

// A preview opened in °F keeps the unit for every range chosen and prints its pages in it: the
// readings 20 … 26 °C are 68.00 … 78.80 °F, the first reading alone 68.00 °F.
TEST_F(PreviewDialog, TheUnitItOpensWithHoldsForEveryRangeAndThePrintedPages) {
    history = MakeHistory({.count = 130});
    dialog = std::make_unique<TestPreview>(*history, nullptr, TemperatureUnit::Fahrenheit);
    EXPECT_EQ(dialog->Selection().summaryLines[10], "最小值：68.00°F");
    EXPECT_EQ(dialog->Selection().summaryLines[11], "最大值：78.80°F");
    SetStop(SampleTime(0));
    Click("preview");
    ASSERT_EQ(dialog->Selection().count, 1);
    EXPECT_EQ(dialog->Selection().summaryLines[11], "最大值：68.00°F");
    dialog->pdfPath = test::TemporaryPath("fahrenheit.pdf");
    Click("print");
    const std::string summary = test::RunCommand("pdftotext -f 1 -l 1 -layout '" + dialog->pdfPath + "' -");
    EXPECT_NE(summary.find("平均值：68.00°F"), std::string::npos) << summary;
    EXPECT_EQ(summary.find("°C"), std::string::npos) << summary;
}

TEST_F(PreviewDialog, ACancelledOrFailedPrintJobEnablesPrintAgain) {
    Open({.count = 130});
    dialog->accept = false;
    dialog->pdfPath = test::TemporaryPath("cancelled.pdf");
    Click("print");
    EXPECT_TRUE(Button("print")->isEnabled());
    EXPECT_FALSE(std::filesystem::exists(dialog->pdfPath));

    dialog->accept = true;
    dialog->pdfPath = "/nonexistent-folder/out.pdf";
    Click("print");
    EXPECT_TRUE(Button("print")->isEnabled());
}

TEST_F(PreviewDialog, ExitClosesWithTheCancelResult) {
    Open({.count = 10});
    dialog->show();
    Click("exit");
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_FALSE(dialog->isVisible());
}

}  // namespace
}  // namespace veldrin
