#pragma once
// The text of a PDF as a reader copies it (pdftotext -layout).
#include <QProcess>
#include <QString>

namespace veldrin::testing {

// Page `page` only, or every page when `page` is 0.
inline QString PdfText(const QString& path, int page = 0) {
    QStringList arguments{QStringLiteral("-layout")};
    if (page > 0)
        arguments << QStringLiteral("-f") << QString::number(page) << QStringLiteral("-l")
                  << QString::number(page);
    arguments << path << QStringLiteral("-");
    QProcess process;
    process.start(QStringLiteral("pdftotext"), arguments);
    if (!process.waitForFinished(60000))
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

}  // namespace veldrin::testing
