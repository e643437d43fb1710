#pragma once
// Histories, a Qt application object and a recording paint device for the printing tests.
#include <ctime>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QLine>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPen>
#include <QPoint>
#include <QPolygon>
#include <QString>

#include "history/HistoryDataSet.h"

namespace veldrin::test {

// The application object the fonts need, created on first use: a QGuiApplication for the pages
// (PrintApplication.cpp), a QApplication for the preview dialog's tests (PreviewApplication.cpp).
void EnsureApplication();

// 2024-03-01 08:00:00 in the test time zone.
std::time_t BaseTime();

struct HistorySpec {
    LoggerModel model = LoggerModel::SingleTemperature;
    int count = 10;
    int interval = 60;
    std::time_t start = 0;  // BaseTime() when 0
    std::function<float(int)> value1 = [](int i) { return 20.0f + static_cast<float>(i % 7); };
    std::function<float(int)> value2 = [](int i) { return 50.0f + static_cast<float>(i % 5); };
};

// A history as a download leaves it: samples with zero-padded time texts, the summary texts
// of its model, channel 2 shown for the two-channel models.
std::unique_ptr<HistoryDataSet> MakeHistory(const HistorySpec& spec);

// What a page drew, in device pixels.
struct DrawnText {
    QPoint baseline;
    QString text;
};
struct DrawnLine {
    QLine line;
    QPen pen;
};
struct DrawnPolyline {
    QPolygon points;
    QPen pen;
};
struct DrawnRect {
    QRect rect;
    QColor fill;
};
struct Drawing {
    std::vector<DrawnText> texts;
    std::vector<DrawnLine> lines;
    std::vector<DrawnPolyline> polylines;
    std::vector<DrawnRect> rects;

    // Texts whose content equals `text`.
    std::vector<DrawnText> TextsEqual(const QString& text) const;
    bool HasText(const QString& text) const { return !TextsEqual(text).empty(); }
    // Texts drawn at baseline y in left-to-right order.
    std::vector<QString> TextsOnRow(int baselineY) const;
};

// A paint device of a given resolution and size that records what is drawn on it.
class RecordingDevice final : public QPaintDevice {
  public:
    RecordingDevice(int pixelsPerInch, QSize size);
    ~RecordingDevice() override;
    QPaintEngine* paintEngine() const override;
    const Drawing& Recorded() const { return drawing_; }

  protected:
    int metric(PaintDeviceMetric metric) const override;

  private:
    int pixelsPerInch_;
    QSize size_;
    Drawing drawing_;
    std::unique_ptr<QPaintEngine> engine_;
};

// Runs `command` and returns its standard output; exit status in `status`.
std::string RunCommand(const std::string& command, int* status = nullptr);

// The page count pdfinfo reports for a PDF file; -1 when it reads none.
int PdfPages(const std::string& path);

// A fresh path in the test's temporary directory.
std::string TemporaryPath(const std::string& name);

}  // namespace veldrin::test
