#include "measure/CurvePageDrawing.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFontMetrics>
#include <algorithm>
#include <cmath>

#include "history/DewPoint.h"
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
constexpr int kGridSpacing = CurveChart::kGridSpacing;
// The least blank room between two time axis labels.
constexpr int kTimeLabelGap = 10;

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
    static const PageTitles kSingle{QT_TRANSLATE_NOOP("CurvePageDrawing", "温度°C"),
                                    "",
                                    "",
                                    QT_TRANSLATE_NOOP("CurvePageDrawing", "温度上限°C"),
                                    QT_TRANSLATE_NOOP("CurvePageDrawing", "温度下限°C"),
                                    "",
                                    ""};
    static const PageTitles kHumidity{QT_TRANSLATE_NOOP("CurvePageDrawing", "温度°C"),
                                      QT_TRANSLATE_NOOP("CurvePageDrawing", "湿度%RH"),
                                      QT_TRANSLATE_NOOP("CurvePageDrawing", "湿度%"),
                                      QT_TRANSLATE_NOOP("CurvePageDrawing", "温度上限°C"),
                                      QT_TRANSLATE_NOOP("CurvePageDrawing", "温度下限°C"),
                                      QT_TRANSLATE_NOOP("CurvePageDrawing", "湿度上限%"),
                                      QT_TRANSLATE_NOOP("CurvePageDrawing", "湿度下限%")};
    static const PageTitles kDual{QT_TRANSLATE_NOOP("CurvePageDrawing", "温度I°C"),
                                  QT_TRANSLATE_NOOP("CurvePageDrawing", "温度II°C"),
                                  QT_TRANSLATE_NOOP("CurvePageDrawing", "温度II°C"),
                                  QT_TRANSLATE_NOOP("CurvePageDrawing", "温度I上限°C"),
                                  QT_TRANSLATE_NOOP("CurvePageDrawing", "温度I下限°C"),
                                  QT_TRANSLATE_NOOP("CurvePageDrawing", "温度II上限°C"),
                                  QT_TRANSLATE_NOOP("CurvePageDrawing", "温度II下限°C")};
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

// The computed dew point's title under the limits, in the colour of its curve.
constexpr int kDewPointTitleY = 320;

QString LimitText(float limit) {
    return QString::fromStdString(Printf("%.2f", static_cast<double>(limit)));
}

class PageTexts {
  public:
    // Titles name temperatures in `unit`.
    explicit PageTexts(TemperatureUnit unit = TemperatureUnit::Celsius) : unit_(unit) {}

    void Add(int x, int y, const QString& text, QRgb colour) { texts_.push_back({x, y, text, colour}); }
    void Add(int x, int y, const char* text, QRgb colour) {
        Add(x, y,
            QCoreApplication::translate("CurvePageDrawing", text)
                .replace(QStringLiteral("°C"), QString::fromUtf8(UnitText(unit_))),
            colour);
    }

    // The scale labels of `channel`; a chart that holds °C while the page shows `unit` has its
    // labels converted (the scale is linear, so the curve itself stays where it is).
    void Labels(const CurveChart& chart, int channel, TemperatureUnit unit = TemperatureUnit::Celsius) {
        const int x = channel == 1 ? kLeftLabelX : kRightLabelX;
        const QRgb colour = channel == 1 ? kChannel1TextColour : kChannel2TextColour;
        const auto& labels = chart.Labels(channel);
        for (int m = 0; m < CurveChart::kLabelCount; ++m) {
            Add(x, m * kLabelRowSpacing + kLabelRowOffset,
                QString::fromStdString(Printf("%4.2f", TemperatureInUnit(labels[m], unit)))
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

    // The time axis labels, for a store of `stored` samples whose chart sample s has the time
    // `timeAt(s)`.
    template <typename TimeAt>
    void TimeAxis(const CurveChart& chart, int stored, TimeAt timeAt) {
        const auto timeOf = [&](int s) -> std::optional<std::time_t> {
            if (s < 0 || s >= stored) {
                return std::nullopt;
            }
            return timeAt(s);
        };
        for (PageText& label : TimeAxisTexts(chart, timeOf)) {
            texts_.push_back(std::move(label));
        }
    }

    std::vector<PageText> Take() { return std::move(texts_); }

  private:
    TemperatureUnit unit_;
    std::vector<PageText> texts_;
};

// The time under plot column `column` of the drawn channel-1 curve: that of the point drawn
// there, or the time between those of the two points either side, in proportion.
std::optional<std::time_t> TimeAtColumn(const std::vector<CurveChart::DrawnPoint>& points, int column,
                                        const SampleTimeOf& timeOf) {
    const auto after = std::lower_bound(points.begin(), points.end(), column,
                                        [](const CurveChart::DrawnPoint& p, int x) { return p.x < x; });
    if (after == points.end()) {
        return std::nullopt;
    }
    const std::optional<std::time_t> later = timeOf(after->sourceIndex);
    if (!later || after->x == column) {
        return later;
    }
    if (after == points.begin()) {
        return std::nullopt;
    }
    const auto before = std::prev(after);
    const std::optional<std::time_t> earlier = timeOf(before->sourceIndex);
    if (!earlier) {
        return std::nullopt;
    }
    const double share = static_cast<double>(column - before->x) / (after->x - before->x);
    return *earlier + static_cast<std::time_t>(std::llround(share * static_cast<double>(*later - *earlier)));
}

// The label text for the time the view spans: seconds count in a short view, the date in a long one.
QString TimeLabelFormat(std::time_t span) {
    constexpr std::time_t kHour = 3600;
    constexpr std::time_t kSixtyDays = 60 * 86400;
    if (span < kHour) {
        return QStringLiteral("HH:mm:ss");
    }
    return span < kSixtyDays ? QStringLiteral("MM-dd HH:mm") : QStringLiteral("yyyy-MM-dd");
}

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

QFont CurvePageFont() {
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(12);
    font.setWeight(QFont::Normal);
    return font;
}

std::vector<PageText> TimeAxisTexts(const CurveChart& chart, const SampleTimeOf& timeOf) {
    const std::vector<CurveChart::DrawnPoint>& points = chart.Points(1);
    if (points.empty()) {
        return {};
    }
    const std::optional<std::time_t> first = timeOf(points.front().sourceIndex);
    const std::optional<std::time_t> last = timeOf(points.back().sourceIndex);
    const QString format = TimeLabelFormat(first && last ? *last - *first : 0);

    struct Candidate {
        int column;
        QString text;
        int width;
    };
    const QFontMetrics metrics(CurvePageFont());
    std::vector<Candidate> candidates;
    int widest = 0;
    for (int column = kGridSpacing; column < CurveChart::kSize; column += kGridSpacing) {
        if (const std::optional<std::time_t> time = TimeAtColumn(points, column, timeOf)) {
            QString text = QDateTime::fromSecsSinceEpoch(*time).toString(format);
            const int width = metrics.horizontalAdvance(text);
            widest = std::max(widest, width);
            candidates.push_back({column, std::move(text), width});
        }
    }
    // Labels stand on every n-th grid line, n as small as keeps the widest label clear of the next.
    const int lines = (widest + kTimeLabelGap + kGridSpacing - 1) / kGridSpacing;
    std::vector<PageText> texts;
    for (const Candidate& candidate : candidates) {
        const int left = candidate.column - candidate.width / 2;
        const bool inside = left >= 0 && left + candidate.width <= CurveChart::kSize;
        if ((candidate.column / kGridSpacing) % lines == 0 && inside) {
            texts.push_back(
                {kCurvePageChartLeft + left, kTimeAxisTop, candidate.text, kTimeAxisTextColour, true});
        }
    }
    return texts;
}

std::vector<PageText> DrawRealtimeCurvePage(CurveChart& chart, const SampleSeries& series, LoggerModel model,
                                            const AlarmLimits* limits1, const AlarmLimits* limits2,
                                            TemperatureUnit unit) {
    chart.ClearAndDrawGrid();
    chart.ComputeCurve1(CurveChart::CurveMode::Draw);
    // The store's first reading is at index 1 and the index wraps to 0 after its last slot.
    const int source = PlaceCursor(chart, series.Count(), [&](int s) {
        return QString::fromStdString(
            FormatTime(series.Time((s + 1) % SampleSeries::kCapacity), ShownTimeStyle(TimeStyle::Realtime)));
    });

    const bool twoChannels = HasSecondChannel(model);
    const PageTitles& titles = TitlesFor(model);
    const int columnX = model == LoggerModel::DualTemperature ? kWideColumnX : kCurvePageColumnX;
    // The realtime chart holds °C; what the page writes is in the unit.
    const TemperatureUnit unit2 = Traits(model).channel2IsHumidity ? TemperatureUnit::Celsius : unit;
    PageTexts texts(unit);
    if (source >= 0) {
        texts.Add(kCurvePageColumnX, 50,
                  ValueText(Printf("%.2f   ", TemperatureInUnit(chart.Value1(source).value_or(0.0f), unit))),
                  kChannel1TextColour);
        if (twoChannels) {
            texts.Add(
                kCurvePageColumnX, 100,
                ValueText(Printf("%.2f    ", TemperatureInUnit(chart.Value2(source).value_or(0.0f), unit2))),
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
        texts.Labels(chart, 2, unit2);
    }
    texts.Labels(chart, 1, unit);
    texts.TimeAxis(chart, series.Count(),
                   [&](int s) { return series.Time((s + 1) % SampleSeries::kCapacity); });
    return texts.Take();
}

std::vector<PageText> DrawHistoryCurvePage(CurveChart& chart, const HistoryDataSet& history,
                                           TemperatureUnit unit) {
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
    // Values and limits of temperature channels in the unit, as the chart holds the curves.
    const TemperatureUnit unit2 = Traits(model).channel2IsHumidity ? TemperatureUnit::Celsius : unit;
    const auto in1 = [unit](float celsius) { return static_cast<float>(TemperatureInUnit(celsius, unit)); };
    const auto in2 = [unit2](float value) { return static_cast<float>(TemperatureInUnit(value, unit2)); };
    HistoryLimits limits = history.limits;
    limits.lower1 = in1(limits.lower1);
    limits.upper1 = in1(limits.upper1);
    limits.lower2 = in2(limits.lower2);
    limits.upper2 = in2(limits.upper2);
    PageTexts texts(unit);
    if (source >= 0) {
        if (shown1) {
            texts.Add(kCurvePageColumnX, 50,
                      ValueText(Printf("%.2f", static_cast<double>(in1(samples.Value1(source))))),
                      kChannel1TextColour);
        }
        if (shown2) {
            texts.Add(kCurvePageColumnX, 100,
                      ValueText(Printf("%.2f", static_cast<double>(in2(samples.Value2(source))))),
                      kChannel2TextColour);
        }
    }
    if (shown1) {
        chart.ComputeCurve1(CurveChart::CurveMode::Draw);
        chart.DrawOverlay();
        chart.DrawLimitLines1(limits.upper1, limits.lower1);
        if (chart.OverlayCount() > 0)
            texts.Add(kCurvePageColumnX, kDewPointTitleY, (DewPointName() + "°C").c_str(), kOverlayColour);
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
    texts.TimeAxis(chart, samples.Count(), [&](int s) { return samples.Time(s); });
    return texts.Take();
}

}  // namespace veldrin
