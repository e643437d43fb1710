#include "app/EntryDetailsText.h"

#include <QCoreApplication>
#include <QDateTime>

#include "app/ArchiveEntryModel.h"

namespace veldrin {
namespace {

QString Time(std::int64_t milliseconds) {
    return QDateTime::fromMSecsSinceEpoch(milliseconds).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

// `label` is marked for translation in this file's context, or is the same in every language.
QString Line(const char* label, const QString& value) {
    return QCoreApplication::translate("EntryDetailsText", label) +
           QCoreApplication::translate("EntryDetailsText", "：") + value + QLatin1Char('\n');
}

QString Std(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

QString EntryDetailsText(const archive::EntryDetails& details) {
    const archive::EntrySummary& e = details.summary;
    QString text;
    text += Line(QT_TRANSLATE_NOOP("EntryDetailsText", "档案"), QString::number(e.id));
    text += Line("SHA-256", Std(e.sha256));
    text += Line(QT_TRANSLATE_NOOP("EntryDetailsText", "型号"), ArchivedModelName(e.model));
    text += Line(QT_TRANSLATE_NOOP("EntryDetailsText", "标题"), Std(e.title));
    text += Line(QT_TRANSLATE_NOOP("EntryDetailsText", "说明"), Std(e.description));
    text += Line(QT_TRANSLATE_NOOP("EntryDetailsText", "时段"),
                 Time(e.start * 1000) + QStringLiteral(" — ") + Time(e.end * 1000));
    text += Line(QT_TRANSLATE_NOOP("EntryDetailsText", "间隔"),
                 QCoreApplication::translate("EntryDetailsText", "%1 秒").arg(e.interval));
    text +=
        Line(QT_TRANSLATE_NOOP("EntryDetailsText", "读数"),
             QString::number(e.count) +
                 (e.complete ? QString() : QCoreApplication::translate("EntryDetailsText", "（不完整）")));
    text += Line(QT_TRANSLATE_NOOP("EntryDetailsText", "超限"), QString::number(e.excursions));
    text += Line(QT_TRANSLATE_NOOP("EntryDetailsText", "限值"),
                 QCoreApplication::translate("EntryDetailsText", "%1 … %2，%3 … %4%5")
                     .arg(e.limits[0])
                     .arg(e.limits[1])
                     .arg(e.limits[2])
                     .arg(e.limits[3])
                     .arg(e.alarm ? QCoreApplication::translate("EntryDetailsText", "（报警开）")
                                  : QCoreApplication::translate("EntryDetailsText", "（报警关）")));
    text += QLatin1Char('\n');
    text += Line(QT_TRANSLATE_NOOP("EntryDetailsText", "来源"), ArchivedSource(e));
    if (e.kind == archive::SourceKind::Download)
        text += Line(QT_TRANSLATE_NOOP("EntryDetailsText", "设备"), Std(e.provenance.devicePath));
    text += Line(QT_TRANSLATE_NOOP("EntryDetailsText", "用户"),
                 Std(e.provenance.actor.user) + QLatin1Char('@') + Std(e.provenance.actor.host));
    text += Line(QT_TRANSLATE_NOOP("EntryDetailsText", "程序版本"), Std(e.provenance.actor.programVersion));
    text += Line(QT_TRANSLATE_NOOP("EntryDetailsText", "存档时间"), Time(e.archivedAtMs));
    text += QCoreApplication::translate("EntryDetailsText", "\n事件：\n");
    for (const archive::Event& event : details.events) {
        text += QStringLiteral("%1  %2  %3@%4  %5\n")
                    .arg(Time(event.timeMs), Std(event.kind), Std(event.actor.user), Std(event.actor.host),
                         Std(event.detail));
    }
    return text;
}

}  // namespace veldrin
