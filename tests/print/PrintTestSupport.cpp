#include "PrintTestSupport.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>

#include <unistd.h>
#include <QTextItem>

#include "logger/WireCodec.h"
#include "tests/TempFolder.h"

namespace veldrin::test {
namespace {

class RecordingEngine final : public QPaintEngine {
  public:
    explicit RecordingEngine(Drawing& drawing) : QPaintEngine(QPaintEngine::AllFeatures), drawing_(drawing) {}

    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    Type type() const override { return QPaintEngine::User; }
    void updateState(const QPaintEngineState& changed) override {
        if (changed.state() & QPaintEngine::DirtyPen)
            pen_ = changed.pen();
        if (changed.state() & QPaintEngine::DirtyBrush)
            brush_ = changed.brush();
    }
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    // A text that mixes scripts arrives in one item per font; items that continue the previous
    // one on its baseline are joined back into the text that was drawn.
    void drawTextItem(const QPointF& position, const QTextItem& item) override {
        const QPoint at = position.toPoint();
        if (!drawing_.texts.empty()) {
            DrawnText& last = drawing_.texts.back();
            if (last.baseline.y() == at.y() && std::abs(lastEnd_ - position.x()) < 1.5) {
                last.text += item.text();
                lastEnd_ = position.x() + item.width();
                return;
            }
        }
        drawing_.texts.push_back({at, item.text()});
        lastEnd_ = position.x() + item.width();
    }
    void drawLines(const QLineF* lines, int count) override {
        for (int i = 0; i < count; ++i)
            drawing_.lines.push_back({lines[i].toLine(), pen_});
    }
    // A curve drawn in runs that share their end points is joined back into one polyline.
    void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override {
        if (mode != PolylineMode || count == 0)
            return;
        QPolygon polygon;
        for (int i = 0; i < count; ++i)
            polygon << points[i].toPoint();
        if (!drawing_.polylines.empty()) {
            DrawnPolyline& last = drawing_.polylines.back();
            if (last.pen == pen_ && last.points.back() == polygon.front()) {
                last.points += polygon.mid(1);
                return;
            }
        }
        drawing_.polylines.push_back({polygon, pen_});
    }
    void drawRects(const QRectF* rects, int count) override {
        for (int i = 0; i < count; ++i)
            drawing_.rects.push_back({rects[i].toRect(), brush_.color()});
    }

  private:
    Drawing& drawing_;
    double lastEnd_ = 0;
    QPen pen_;
    QBrush brush_;
};

}  // namespace

std::time_t BaseTime() {
    return *MakeLocalTime(2024, 3, 1, 8, 0, 0);
}

std::unique_ptr<HistoryDataSet> MakeHistory(const HistorySpec& spec) {
    auto history = std::make_unique<HistoryDataSet>();
    const ModelTraits& traits = Traits(spec.model);
    history->model = spec.model;
    history->shown = {true, traits.channelCount == 2};
    HistorySummary& summary = history->summary;
    summary.title = "冷库一号";
    summary.instrumentName = std::string(traits.displayName);
    summary.source = SummarySource::Download;
    summary.enabledChannelCount = traits.channelCount;
    summary.intervalSeconds = spec.interval;
    summary.channel1Name = std::string(traits.channel1Name);
    summary.channel1Unit = std::string(traits.channel1Unit);
    summary.channel2Number = traits.channelCount == 2 ? 2 : 0;
    summary.channel2Name = std::string(traits.channel2Name);
    summary.channel2Unit = std::string(traits.channel2Unit);
    summary.description = "测试用";
    const std::time_t start = spec.start != 0 ? spec.start : BaseTime();
    for (int i = 0; i < spec.count; ++i) {
        const std::time_t time = start + static_cast<std::time_t>(i) * spec.interval;
        history->samples.SetHistorySample(i, spec.value1(i), spec.value2(i), time);
    }
    return history;
}

std::vector<DrawnText> Drawing::TextsEqual(const QString& text) const {
    std::vector<DrawnText> found;
    for (const DrawnText& drawn : texts) {
        if (drawn.text == text)
            found.push_back(drawn);
    }
    return found;
}

std::vector<QString> Drawing::TextsOnRow(int baselineY) const {
    std::vector<DrawnText> row;
    for (const DrawnText& drawn : texts) {
        if (drawn.baseline.y() == baselineY)
            row.push_back(drawn);
    }
    std::sort(row.begin(), row.end(),
              [](const DrawnText& a, const DrawnText& b) { return a.baseline.x() < b.baseline.x(); });
    std::vector<QString> result;
    for (const DrawnText& drawn : row)
        result.push_back(drawn.text);
    return result;
}

RecordingDevice::RecordingDevice(int pixelsPerInch, QSize size)
    : pixelsPerInch_(pixelsPerInch), size_(size), engine_(std::make_unique<RecordingEngine>(drawing_)) {}

RecordingDevice::~RecordingDevice() = default;

QPaintEngine* RecordingDevice::paintEngine() const {
    return engine_.get();
}

int RecordingDevice::metric(PaintDeviceMetric metric) const {
    switch (metric) {
        case PdmWidth:
            return size_.width();
        case PdmHeight:
            return size_.height();
        case PdmWidthMM:
            return static_cast<int>(size_.width() * 25.4 / pixelsPerInch_);
        case PdmHeightMM:
            return static_cast<int>(size_.height() * 25.4 / pixelsPerInch_);
        case PdmNumColors:
            return 0x7fffffff;
        case PdmDepth:
            return 32;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return pixelsPerInch_;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return static_cast<int>(QPaintDevice::devicePixelRatioFScale());
        default:
            return QPaintDevice::metric(metric);
    }
}

std::string RunCommand(const std::string& command, int* status) {
    std::string output;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr)
        return output;
    char buffer[4096];
    std::size_t read = 0;
    while ((read = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        output.append(buffer, read);
    const int result = pclose(pipe);
    if (status != nullptr)
        *status = result;
    return output;
}

int PdfPages(const std::string& path) {
    const std::string info = RunCommand("pdfinfo '" + path + "' 2>/dev/null");
    const auto at = info.find("Pages:");
    return at == std::string::npos ? -1 : std::stoi(info.substr(at + 6));
}

std::string TemporaryPath(const std::string& name) {
    // One folder per test process, removed when the process ends.
    static const TempFolder folder;
    return folder.File(name);
}

}  // namespace veldrin::test
