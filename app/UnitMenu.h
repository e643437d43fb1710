#pragma once
// The "温度单位" submenu of "数据(&V)": "°C" or "°F", one checked, remembered in the profile. The
// choice goes to whatever listens to unitChosen; the window shows every temperature in it.
#include <QObject>

#include "logger/TemperatureUnit.h"

class QAction;
class QMenu;

namespace veldrin {

class UnitMenu final : public QObject {
    Q_OBJECT

  public:
    // Adds the submenu to `parent`, checked as the profile says (°C when it says nothing).
    explicit UnitMenu(QMenu& parent);

    TemperatureUnit Chosen() const { return chosen_; }
    QAction* Action(TemperatureUnit unit) const;

  signals:
    void unitChosen(TemperatureUnit unit);

  private:
    void Choose(TemperatureUnit unit);

    QAction* celsius_ = nullptr;
    QAction* fahrenheit_ = nullptr;
    TemperatureUnit chosen_ = TemperatureUnit::Celsius;
};

}  // namespace veldrin
