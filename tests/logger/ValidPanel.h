#pragma once
// Panel settings every check lets through, for tests that spoil one field at a time.
#include "logger/PanelSettings.h"

namespace veldrin::test {

inline PanelSettings ValidPanel() {
    PanelSettings panel;
    panel.startYear = 2024;
    panel.startMonth = 5;
    panel.startDay = 20;
    panel.startHour = 9;
    panel.channel1Lower = "-20";
    panel.channel1Upper = "50";
    panel.channel2Lower = "10";
    panel.channel2Upper = "90";
    panel.title = "Title";
    panel.description = "desc";
    return panel;
}

}  // namespace veldrin::test
