#include "app/FleetSettings.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>
#include <ctime>

namespace veldrin {
namespace {

QString DefaultFolder() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
        .filePath(QStringLiteral("Veldrin"));
}

}  // namespace

FleetSettings ReadFleetSettings(QSettings& profile) {
    FleetSettings settings;
    profile.beginGroup(QStringLiteral("loggerList"));
    settings.folder = profile.value(QStringLiteral("folder"), DefaultFolder()).toString();
    settings.nameTemplate = profile.value(QStringLiteral("template"), settings.nameTemplate).toString();
    settings.vdr = profile.value(QStringLiteral("vdr"), settings.vdr).toBool();
    settings.csv = profile.value(QStringLiteral("csv"), settings.csv).toBool();
    settings.xls = profile.value(QStringLiteral("xls"), settings.xls).toBool();
    settings.pdf = profile.value(QStringLiteral("pdf"), settings.pdf).toBool();
    settings.restart = profile.value(QStringLiteral("restart"), settings.restart).toBool();
    settings.station = profile.value(QStringLiteral("station"), settings.station).toBool();
    settings.panelShown = profile.value(QStringLiteral("shown"), settings.panelShown).toBool();
    profile.endGroup();
    return settings;
}

void WriteFleetSettings(QSettings& profile, const FleetSettings& settings) {
    profile.beginGroup(QStringLiteral("loggerList"));
    profile.setValue(QStringLiteral("folder"), settings.folder);
    profile.setValue(QStringLiteral("template"), settings.nameTemplate);
    profile.setValue(QStringLiteral("vdr"), settings.vdr);
    profile.setValue(QStringLiteral("csv"), settings.csv);
    profile.setValue(QStringLiteral("xls"), settings.xls);
    profile.setValue(QStringLiteral("pdf"), settings.pdf);
    profile.setValue(QStringLiteral("restart"), settings.restart);
    profile.setValue(QStringLiteral("station"), settings.station);
    profile.setValue(QStringLiteral("shown"), settings.panelShown);
    profile.endGroup();
    profile.sync();
}

std::vector<std::string> TemplatesOf(const FleetSettings& settings) {
    const std::string base = QDir(settings.folder).filePath(settings.nameTemplate).toStdString();
    std::vector<std::string> templates;
    const std::pair<bool, const char*> formats[] = {
        {settings.vdr, ".Vdr"}, {settings.csv, ".csv"}, {settings.xls, ".xls"}, {settings.pdf, ".pdf"}};
    for (const auto& [chosen, extension] : formats) {
        if (chosen)
            templates.push_back(base + extension);
    }
    if (templates.empty())
        templates.push_back(base + ".Vdr");
    return templates;
}

NameFields SampleNameFields() {
    NameFields fields;
    fields.title = QCoreApplication::translate("FleetSettings", "冷库 1").toStdString();
    fields.model = "dual";
    fields.now = std::time(nullptr);
    fields.start = fields.now - 7 * 24 * 3600;
    fields.end = fields.now - 600;
    fields.count = 1008;
    fields.port = "ttyUSB0";
    fields.device = "usb-FTDI_FT232R_USB_UART_A10K3-if00-port0";
    return fields;
}

}  // namespace veldrin
