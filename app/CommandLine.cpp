#include "app/CommandLine.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>

namespace veldrin {
namespace {

bool HoldsOptions(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        if (argv[i][0] == '-' && argv[i][1] != '\0') {
            return true;
        }
    }
    return false;
}

void Print(std::FILE* stream, const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

}  // namespace

std::optional<int> AnswerOptions(int argc, char* argv[]) {
    if (!HoldsOptions(argc, argv)) {
        return std::nullopt;
    }
    // A core application needs no display; the window's application comes later, if at all.
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("veldrin"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VELDRIN_VERSION));
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Veldrin: connect to temperature and humidity data loggers on a serial port, "
                       "download and view their records, and open .Vdr data files."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("a .Vdr data file to open"),
                                 QStringLiteral("[FILE]"));
    if (!parser.parse(QCoreApplication::arguments())) {
        Print(stderr, QStringLiteral("veldrin: %1\nTry 'veldrin --help'.\n").arg(parser.errorText()));
        return 2;
    }
    if (parser.isSet(help)) {
        Print(stdout, parser.helpText());
        return 0;
    }
    if (parser.isSet(version)) {
        Print(stdout, QStringLiteral("veldrin %1\n").arg(QCoreApplication::applicationVersion()));
        return 0;
    }
    return std::nullopt;
}

}  // namespace veldrin
