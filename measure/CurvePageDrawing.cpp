#include "measure/CurvePageDrawing.h"

#include "history/HistoryText.h"
#include "logger/TextFormat.h"
#include "logger/WireCodec.h"

namespace veldrin {
namespace {

constexpr int kValueTextLength = 8;
constexpr int kLabelTextLength = 5;
constexpr int kLeftLabelX = 5;
constexpr int kRightLabelX = 552;
constexpr int kLabelRowSpacing = 64;
constexpr int kLabelRowOffset = 24;
// The realtime page's dual-temperature titles are a little wider and start further left.
constexpr int kWideColumnX = 590;

struct PageTitles {
    const char* channel1;
    const char* channel2Top;
    const char* channel2Column;
    const char* upper1;
    const char* lower1;
    const char* upper2;
    const char* lower2;
};

const PageTitles& TitlesFor(LoggerModel model) {
    static const PageTitles kSingle{"温度°C", "", "", "温度上限°C", "温度下限°C", "", ""};
    static const PageTitles kHumidity{"温度°C",     "湿度%RH",   "湿度%",    "温度上限°C",
                                      "温度下限°C", "湿度上限%", "湿度下限%"};
    static const PageTitles kDual{"温度I°C",     "温度II°C",     "温度II°C",    "温度I上限°C",
                                  "温度I下限°C", "温度II上限°C", "温度II下限°C"};
    switch (model) {
        case LoggerModel::TemperatureHumidity:
            return kHumidity;
        case LoggerModel::DualTemperature:
            return kDual;
        default:
            return kSingle;
    }
}

// Padded with blanks to eight characters and cut to eight, as the page draws its values.
QString ValueText(const std::string& formatted) {
    return QString::fromStdString(formatted).leftJustified(kValueTextLength, QLatin1Char(' '), true);
}

QString LimitText(float limit) {
    return QString::fromStdString(Printf("%.2f", static_cast<double>(limit)));
}

class PageTexts {
  public:
    void Add(int x, int y, const QString& text, QRgb colour) { texts_.push_back({x, y, text, colour}); }
    void Add(int x, int y, const char* text, QRgb colour) { Add(x, y, QString::fromUtf8(text), colour); }

    void Labels(const CurveChart& chart, int channel) {
        const int x = channel == 1 ? kLeftLabelX : kRightLabelX;
        const QRgb colour = channel == 1 ? kChannel1TextColour : kChannel2TextColour;
        const auto& labels = chart.Labels(channel);
        for (int m = 0; m < CurveChart::kLabelCount; ++m) {
            Add(x, m * kLabelRowSpacing + kLabelRowOffset,
                QString::fromStdString(Printf("%4.2f", static_cast<double>(labels[m])))
                    .left(kLabelTextLength),
                colour);
        }
    }

    void Channel1Titles(const PageTitles& titles, int columnX) {
        Add(5, 5, titles.channel1, kChannel1TextColour);
        Add(columnX, 30, titles.channel1, kChannel1TextColour);
    }

    void Channel2Titles(const PageTitles& titles, int columnX) {
        Add(550, 5, titles.channel2Top, kChannel2TextColour);
        Add(columnX, 80, titles.channel2Column, kChannel2TextColour);
    }

    void Limits(int top, const char* upperTitle, const char* lowerTitle, float upper, float lower,
                QRgb colour) {
        Add(kCurvePageColumnX, top, upperTitle, colour);
        Add(kCurvePageColumnX, top + 20, LimitText(upper), colour);
        Add(kCurvePageColumnX, top + 40, lowerTitle, colour);
        Add(kCurvePageColumnX, top + 60, LimitText(lower), colour);
    }

    std::vector<PageText> Take() { return std::move(texts_); }

  private:
    std::vector<PageText> texts_;
};

// Steps shared by both pages once the channel-1 points and the cursor are placed: the cursor's
// sample gives the cursor text, and the cursor line and text are drawn into the chart. Returns
// the cursor's sample, or −1 when the drawn point has no stored sample.
template <typename SampleText>
int PlaceCursor(CurveChart& chart, int sampleCount, SampleText sampleText) {
    const int source = chart.SourceIndex(chart.CursorPoint());
    const bool stored = source >= 0 && source < sampleCount;
    if (stored) {
        const QString text = sampleText(source);
        chart.SetCursorText(text, static_cast<int>(text.size()));
    }
    chart.DrawCursor();
    return stored ? source : -1;
}

}  // namespace

std::vector<PageText> DrawRealtimeCurvePage(CurveChart& chart, const SampleSeries& series, LoggerModel model,
                                            const AlarmLimits* limits1, const AlarmLimits* limits2) {
    chart.ClearAndDrawGrid();
    chart.ComputeCurve1(CurveChart::CurveMode::Draw);
    // The store's first reading is at index 1 and the index wraps to 0 after its last slot.
    const int source = PlaceCursor(chart, series.Count(), [&](int s) {
        return QString::fromStdString(
            FormatTime(series.Time((s + 1) % SampleSeries::kCapacity), TimeStyle::Realtime));
    });

    const bool twoChannels = HasSecondChannel(model);
    const PageTitles& titles = TitlesFor(model);
    const int columnX = model == LoggerModel::DualTemperature ? kWideColumnX : kCurvePageColumnX;
    PageTexts texts;
    if (source >= 0) {
        texts.Add(kCurvePageColumnX, 50,
                  ValueText(Printf("%.2f   ", static_cast<double>(chart.Value1(source).value_or(0.0f)))),
                  kChannel1TextColour);
        if (twoChannels) {
            texts.Add(kCurvePageColumnX, 100,
                      ValueText(Printf("%.2f    ", static_cast<double>(chart.Value2(source).value_or(0.0f)))),
                      kChannel2TextColour);
        }
    }
    // Limit lines need readings: an empty chart has no range to place them in.
    const bool readings = chart.Count1() > 0;
    if (limits1 != nullptr && readings) {
        chart.DrawLimitLines1(limits1->upper, limits1->lower);
    }
    if (twoChannels) {
        chart.DrawCurve2();
        if (limits2 != nullptr && readings) {
            chart.DrawLimitLines2(limits2->upper, limits2->lower);
        }
    }
    texts.Channel1Titles(titles, columnX);
    if (twoChannels) {
        texts.Channel2Titles(titles, columnX);
        texts.Labels(chart, 2);
    }
    texts.Labels(chart, 1);
    return texts.Take();
}

std::vector<PageText> DrawHistoryCurvePage(CurveChart& chart, const HistoryDataSet& history) {
    const SampleSeries& samples = history.samples;
    const LoggerModel model = RecordedModel(history);
    const bool shown1 = history.shown[0];
    const bool shown2 = history.shown[1];

    chart.ClearAndDrawGrid();
    // The channel-1 points are computed before the cursor reads them, so that the values shown
    // belong to the curve drawn now and not to the one drawn before a scroll, zoom or load.
    chart.ComputeCurve1(CurveChart::CurveMode::ComputeOnly);
    const int source = PlaceCursor(chart, samples.Count(),
                                   [&](int s) { return QString::fromStdString(SampleTimeText(history, s)); });

    const PageTitles& titles = TitlesFor(model);
    const HistoryLimits& limits = history.limits;
    PageTexts texts;
    if (source >= 0) {
        if (shown1) {
            texts.Add(kCurvePageColumnX, 50,
                      ValueText(Printf("%.2f", static_cast<double>(samples.Value1(source)))),
                      kChannel1TextColour);
        }
        if (shown2) {
            texts.Add(kCurvePageColumnX, 100,
                      ValueText(Printf("%.2f", static_cast<double>(samples.Value2(source)))),
                      kChannel2TextColour);
        }
    }
    if (shown1) {
        chart.ComputeCurve1(CurveChart::CurveMode::Draw);
        chart.DrawLimitLines1(limits.upper1, limits.lower1);
        texts.Channel1Titles(titles, kCurvePageColumnX);
        texts.Limits(150, titles.upper1, titles.lower1, limits.upper1, limits.lower1, kChannel1TextColour);
        texts.Labels(chart, 1);
    }
    if (shown2) {
        chart.DrawCurve2();
        chart.DrawLimitLines2(limits.upper2, limits.lower2);
        if (HasSecondChannel(model)) {
            texts.Channel2Titles(titles, kCurvePageColumnX);
            texts.Limits(240, titles.upper2, titles.lower2, limits.upper2, limits.lower2,
                         kChannel2TextColour);
        }
        texts.Labels(chart, 2);
    }
    return texts.Take();
}

}  // namespace veldrin
