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

std::optional<int> AnswerOptions(int argc, char* argv[], WindowOptions& options) {
    if (!HoldsOptions(argc, argv)) {
        if (argc > 1)
            options.file = QString::fromLocal8Bit(argv[1]);
        return std::nullopt;
    }
    // A core application needs no display; the window's application comes later, if at all.
    std::optional<QCoreApplication> application;
    if (QCoreApplication::instance() == nullptr) {
        application.emplace(argc, argv);
        QCoreApplication::setApplicationName(QStringLiteral("veldrin"));
    }
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Veldrin: connect to temperature and humidity data loggers on a serial port, "
                       "download and view their records, and open .Vdr data files."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption lang(
        QStringLiteral("lang"),
        QStringLiteral("the language of the window: zh (Chinese) or en (English); "
                       "by default the one chosen in the window, else the locale's"),
        QStringLiteral("zh|en"));
    parser.addOption(lang);
    parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("a .Vdr data file to open"),
                                 QStringLiteral("[FILE]"));
    if (!parser.parse(arguments)) {
        Print(stderr, QStringLiteral("veldrin: %1\nTry 'veldrin --help'.\n").arg(parser.errorText()));
        return 2;
    }
    if (parser.isSet(help)) {
        Print(stdout, parser.helpText());
        return 0;
    }
    if (parser.isSet(version)) {
        Print(stdout, QStringLiteral("veldrin %1\n").arg(QStringLiteral(VELDRIN_VERSION)));
        return 0;
    }
    if (parser.isSet(lang)) {
        options.language = LanguageOfCode(parser.value(lang).toStdString());
        if (!options.language) {
            Print(stderr, QStringLiteral("veldrin: --lang takes zh or en, not '%1'\nTry 'veldrin --help'.\n")
                              .arg(parser.value(lang)));
            return 2;
        }
    }
    options.file = parser.positionalArguments().value(0);
    return std::nullopt;
}

}  // namespace veldrin
