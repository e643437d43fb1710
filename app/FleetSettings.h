#pragma once
// What the list of loggers downloads with, remembered in the profile: the folder, the name
// template, the formats, whether each logger is started again afterwards, whether the list works
// as a download station, and whether the panel is shown.
#include <QSettings>
#include <QString>
#include <string>
#include <vector>

#include "files/FileNameTemplate.h"

namespace veldrin {

struct FleetSettings {
    QString folder;
    QString nameTemplate = QStringLiteral("{title}-{date}");
    bool vdr = true;
    bool csv = false;
    bool xls = false;
    bool pdf = false;
    bool restart = false;
    bool station = false;
    bool panelShown = false;
};

FleetSettings ReadFleetSettings(QSettings& profile);
void WriteFleetSettings(QSettings& profile, const FleetSettings& settings);

// The name templates of one download: the folder and the name template with each format's
// extension (a data file when no format is chosen).
std::vector<std::string> TemplatesOf(const FleetSettings& settings);

// The name fields of a made-up logger, for the settings dialog's preview of the next name.
NameFields SampleNameFields();

}  // namespace veldrin
