#include "app/ComparisonWindow.h"

#include <QCheckBox>
#include <QDateTime>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cmath>

#include "app/ComparisonChart.h"
#include "app/UnitMenu.h"
#include "logger/LoggerModel.h"

namespace veldrin {
namespace {

// The colour of curve `index` of `count`: hues spread around the circle, every other curve
// darker, so that neighbours in the legend differ in hue and in brightness.
QColor CurveColour(int index, int count) {
    const int hue = (index * 360 / std::max(1, count) + (index % 2) * 180 / std::max(1, count)) % 360;
    return QColor::fromHsv(hue, 230, index % 2 == 0 ? 210 : 150);
}

// The curves of the histories: channel 1 and, where it holds values, channel 2 of each.
std::vector<ComparisonCurve> CurvesOf(const std::vector<ComparedHistory>& histories) {
    std::vector<ComparisonCurve> curves;
    for (const ComparedHistory& compared : histories) {
        const HistoryDataSet& history = *compared.history;
        const ModelTraits& traits = Traits(RecordedModel(history));
        auto times =
            std::make_shared<std::vector<std::time_t>>(static_cast<std::size_t>(history.samples.Count()));
        for (int i = 0; i < history.samples.Count(); ++i)
            (*times)[static_cast<std::size_t>(i)] = history.samples.Time(i);
        for (int channel = 1; channel <= 2; ++channel) {
            if (!ChannelHasValues(history, channel))
                continue;
            ComparisonCurve curve;
            curve.history = compared.history;
            curve.times = times;
            curve.channel = channel;
            curve.humidity = channel == 2 && traits.channel2IsHumidity;
            const std::string name = ShownModelText(channel == 1 ? traits.channel1Name : traits.channel2Name);
            curve.name = compared.label + QLatin1Char(' ') + QString::fromStdString(name);
            curve.lower = channel == 1 ? history.limits.lower1 : history.limits.lower2;
            curve.upper = channel == 1 ? history.limits.upper1 : history.limits.upper2;
            curves.push_back(std::move(curve));
        }
    }
    for (std::size_t i = 0; i < curves.size(); ++i)
        curves[i].colour = CurveColour(static_cast<int>(i), static_cast<int>(curves.size()));
    return curves;
}

QPixmap Swatch(const QColor& colour) {
    QPixmap swatch(16, 4);
    swatch.fill(colour);
    return swatch;
}

}  // namespace

ComparisonWindow::ComparisonWindow(QWidget* parent, const std::vector<ComparedHistory>& histories,
                                   TemperatureUnit unit)
    : QWidget(parent, Qt::Window) {
    setWindowTitle(tr("叠加比较"));
    setAttribute(Qt::WA_DeleteOnClose);
    resize(1100, 640);

    chart_ = new ComparisonChart(CurvesOf(histories), unit);
    reset_ = new QPushButton(tr("复位"));
    reset_->setObjectName(QStringLiteral("reset"));
    pan_ = new QPushButton(tr("平移"));
    pan_->setObjectName(QStringLiteral("pan"));
    pan_->setCheckable(true);
    pan_->setToolTip(tr("按下时用左键拖动平移；也可随时用右键拖动平移"));
    limits_ = new QCheckBox(tr("显示限值"));
    limits_->setObjectName(QStringLiteral("limits"));
    auto* hint = new QLabel(tr("滚轮缩放时间轴，左键拖出矩形放大"));

    legend_ = new QListWidget;
    legend_->setObjectName(QStringLiteral("legend"));
    legend_->setSelectionMode(QAbstractItemView::NoSelection);
    for (const ComparisonCurve& curve : chart_->Curves()) {
        auto* item = new QListWidgetItem(QIcon(Swatch(curve.colour)), curve.name, legend_);
        item->setData(Qt::UserRole, curve.colour);
    }
    legend_->setIconSize(QSize(16, 4));

    cursorTime_ = new QLabel(tr("光标：—"));
    cursorTable_ = new QTableWidget(static_cast<int>(chart_->Curves().size()), 2);
    cursorTable_->setObjectName(QStringLiteral("cursorValues"));
    cursorTable_->setHorizontalHeaderLabels({tr("曲线"), tr("数值")});
    cursorTable_->verticalHeader()->hide();
    cursorTable_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    cursorTable_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (int row = 0; row < cursorTable_->rowCount(); ++row) {
        const ComparisonCurve& curve = chart_->Curves()[static_cast<std::size_t>(row)];
        auto* name = new QTableWidgetItem(QIcon(Swatch(curve.colour)), curve.name);
        cursorTable_->setItem(row, 0, name);
        cursorTable_->setItem(row, 1, new QTableWidgetItem(tr("—")));
    }

    auto* controls = new QHBoxLayout;
    controls->addWidget(reset_);
    controls->addWidget(pan_);
    controls->addWidget(limits_);
    controls->addWidget(hint, 1);

    auto* side = new QWidget;
    side->setMinimumWidth(260);
    auto* sideLayout = new QVBoxLayout(side);
    sideLayout->setContentsMargins(0, 0, 0, 0);
    sideLayout->addWidget(new QLabel(tr("图例")));
    sideLayout->addWidget(legend_, 1);
    sideLayout->addWidget(cursorTime_);
    sideLayout->addWidget(cursorTable_, 2);

    auto* splitter = new QSplitter;
    splitter->addWidget(chart_);
    splitter->addWidget(side);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(controls);
    layout->addWidget(splitter, 1);

    connect(reset_, &QPushButton::clicked, chart_, &ComparisonChart::Reset);
    connect(pan_, &QPushButton::toggled, chart_, &ComparisonChart::SetPanMode);
    connect(limits_, &QCheckBox::toggled, chart_, &ComparisonChart::SetLimitsShown);
    connect(chart_, &ComparisonChart::CursorMoved, this, &ComparisonWindow::ShowCursor);
}

void ComparisonWindow::SetUnit(TemperatureUnit unit) {
    chart_->SetUnit(unit);
    if (cursor_)
        ShowCursor(*cursor_);
}

void ComparisonWindow::ShowCursor(double time) {
    cursor_ = time;
    cursorTime_->setText(tr("光标：%1")
                             .arg(QDateTime::fromSecsSinceEpoch(static_cast<qint64>(std::floor(time)))
                                      .toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))));
    for (int row = 0; row < cursorTable_->rowCount(); ++row) {
        const ComparisonCurve& curve = chart_->Curves()[static_cast<std::size_t>(row)];
        const std::optional<float> value = curve.ValueAt(time);
        cursorTable_->item(row, 1)->setText(value ? QString::number(chart_->ShownValue(curve, *value), 'f', 2)
                                                  : tr("—"));
    }
}

QWidget* OpenComparison(QWidget* parent, std::vector<ComparedHistory> histories, const UnitMenu* units) {
    if (histories.empty() || histories.size() > ComparisonWindow::kMaxHistories) {
        const QString text = histories.empty()
                                 ? ComparisonWindow::tr("请选择要比较的历史数据。")
                                 : ComparisonWindow::tr("最多可同时比较%1条历史数据，已选择%2条。")
                                       .arg(ComparisonWindow::kMaxHistories)
                                       .arg(histories.size());
        QMessageBox::warning(parent, ComparisonWindow::tr("叠加比较"), text);
        return nullptr;
    }
    auto* window = new ComparisonWindow(parent, histories,
                                        units != nullptr ? units->Chosen() : TemperatureUnit::Celsius);
    if (units != nullptr)
        QObject::connect(units, &UnitMenu::unitChosen, window, &ComparisonWindow::SetUnit);
    window->show();
    return window;
}

}  // namespace veldrin
