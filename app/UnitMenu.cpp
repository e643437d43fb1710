#include "app/UnitMenu.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>

#include "app/Profile.h"

namespace veldrin {
namespace {

const QString kProfileKey = QStringLiteral("view/temperatureUnit");

}  // namespace

UnitMenu::UnitMenu(QMenu& parent) : QObject(&parent) {
    QMenu* menu = parent.addMenu(tr("温度单位"));
    auto* group = new QActionGroup(menu);
    celsius_ = menu->addAction(QStringLiteral("°C"));
    fahrenheit_ = menu->addAction(QStringLiteral("°F"));
    for (QAction* action : {celsius_, fahrenheit_}) {
        action->setCheckable(true);
        group->addAction(action);
    }
    const std::unique_ptr<QSettings> profile = OpenProfile();
    chosen_ = ParseTemperatureUnit(profile->value(kProfileKey).toString().toStdString())
                  .value_or(TemperatureUnit::Celsius);
    Action(chosen_)->setChecked(true);
    connect(celsius_, &QAction::triggered, this, [this] { Choose(TemperatureUnit::Celsius); });
    connect(fahrenheit_, &QAction::triggered, this, [this] { Choose(TemperatureUnit::Fahrenheit); });
}

QAction* UnitMenu::Action(TemperatureUnit unit) const {
    return unit == TemperatureUnit::Fahrenheit ? fahrenheit_ : celsius_;
}

void UnitMenu::Choose(TemperatureUnit unit) {
    if (unit == chosen_)
        return;
    chosen_ = unit;
    const std::unique_ptr<QSettings> profile = OpenProfile();
    profile->setValue(kProfileKey, QString::fromLatin1(UnitLetter(unit)));
    profile->sync();
    emit unitChosen(unit);
}

}  // namespace veldrin
