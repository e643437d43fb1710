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

QCommandLineOption ArchiveOption() {
    return {
        QStringLiteral("archive"),
        QStringLiteral("the archive downloads go into: a SQLite file or a postgresql:// URL (default: the "
                       "profile's archive, else $VELDRIN_ARCHIVE, else "
                       "$XDG_DATA_HOME/Veldrin/archive.sqlite)"),
        QStringLiteral("LOCATION")};
}

QCommandLineOption LanguageOption() {
    return {QStringLiteral("lang"),
            QStringLiteral("the language of the window: zh (Chinese) or en (English); by default the one "
                           "chosen in the window, else the locale's"),
            QStringLiteral("zh|en")};
}

void DescribeArguments(QCommandLineParser& parser) {
    parser.addOption(ArchiveOption());
    parser.addOption(LanguageOption());
    parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("a .Vdr data file to open"),
                                 QStringLiteral("[FILE]"));
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
    DescribeArguments(parser);
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
    const QString language = parser.value(LanguageOption().names().constFirst());
    if (parser.isSet(LanguageOption().names().constFirst()) && !LanguageOfCode(language.toStdString())) {
        Print(stderr, QStringLiteral("veldrin: --lang takes zh or en, not '%1'\nTry 'veldrin --help'.\n")
                          .arg(language));
        return 2;
    }
    // Only --archive and --lang are left: the window starts with them.
    return std::nullopt;
}

WindowArguments ReadWindowArguments(const QStringList& arguments) {
    QCommandLineParser parser;
    DescribeArguments(parser);
    parser.addHelpOption();
    parser.addVersionOption();
    // AnswerOptions has refused anything that does not parse before the window starts.
    parser.parse(arguments);
    return {parser.positionalArguments().value(0), parser.value(ArchiveOption().names().constFirst()),
            LanguageOfCode(parser.value(LanguageOption().names().constFirst()).toStdString())};
}

}  // namespace veldrin
