#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QRegularExpression>
#include <QStringList>
#include <QXmlStreamReader>
#include <cstdlib>
#include <vector>

#include "translations/Translation.h"
#include "translations/Translator.h"

namespace veldrin {
namespace {

struct Message {
    QString context;
    QString source;
    QString translation;
};

std::vector<Message> MessagesOf(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    std::vector<Message> messages;
    QXmlStreamReader xml(&file);
    QString context;
    Message message;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == u"name")
            context = xml.readElementText();
        else if (xml.name() == u"source")
            message = {context, xml.readElementText(), {}};
        else if (xml.name() == u"translation") {
            message.translation = xml.readElementText();
            messages.push_back(message);
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return messages;
}

// The printf conversions of a text in order ("%d", "%.1f", "%s"; "%%" is not one).
QStringList PrintfConversions(const QString& text) {
    static const QRegularExpression conversion(
        QStringLiteral("%[-+ #0]*\\d*(?:\\.\\d+)?(?:hh|h|ll|l|z|j|t)?[diouxXfFeEgGcsp]"));
    QStringList found;
    QString withoutPercent = text;
    withoutPercent.replace(QStringLiteral("%%"), QStringLiteral("  "));
    for (const QRegularExpressionMatch& match : conversion.globalMatch(withoutPercent))
        found << match.captured();
    return found;
}

// Qt's numbered arguments of a text (%1 … %99), sorted: a translation may reorder them.
QStringList NumberedArguments(const QString& text) {
    static const QRegularExpression argument(QStringLiteral("%L?(\\d{1,2})"));
    QStringList found;
    for (const QRegularExpressionMatch& match : argument.globalMatch(text))
        found << match.captured(1);
    found.sort();
    return found;
}

bool HoldsChinese(const QString& text) {
    static const QRegularExpression han(QStringLiteral("\\p{Han}"));
    return han.match(text).hasMatch();
}

std::vector<Message> EnglishMessages() {
    const char* sources = std::getenv("VELDRIN_SOURCE_DIR");
    EXPECT_NE(sources, nullptr);
    return MessagesOf(QString::fromUtf8(sources) + QStringLiteral("/translations/veldrin_en.ts"));
}

// A translated format must take the arguments its source takes, or the program formatting it
// would read the wrong ones; and English is written without Chinese characters, except where a
// text names the languages themselves.
TEST(EnglishTranslationFile, EveryTranslationKeepsItsFormatsArgumentsAndIsWrittenInEnglish) {
    const std::vector<Message> messages = EnglishMessages();
    ASSERT_GT(messages.size(), 100U);
    for (const Message& message : messages) {
        SCOPED_TRACE((message.context + QStringLiteral(": ") + message.source).toStdString());
        EXPECT_EQ(PrintfConversions(message.translation), PrintfConversions(message.source));
        EXPECT_EQ(NumberedArguments(message.translation), NumberedArguments(message.source));
        if (!message.source.contains(QStringLiteral("Language")) &&
            message.source != QStringLiteral("中文")) {
            EXPECT_FALSE(HoldsChinese(message.translation));
        }
    }
}

TEST(TextTranslation, TheLibrariesWithoutQtSpeakTheInstalledLanguageAndFallBackToTheSource) {
    int argc = 1;
    char name[] = "test_translations";
    char* argv[] = {name, nullptr};
    QCoreApplication application(argc, argv);
    const char* context = "veldrin::LanguageMenu";
    EXPECT_EQ(text::translate(context, "跟随系统设置"), "跟随系统设置");
    ASSERT_TRUE(InstallTranslations(application, Language::English));
    EXPECT_EQ(text::translate(context, "跟随系统设置"), "As the system");
    EXPECT_EQ(text::translate(context, "没有这样的文字"), "没有这样的文字");
    text::InstallTranslator(nullptr);
    EXPECT_EQ(text::translate(context, "跟随系统设置"), "跟随系统设置");
}

}  // namespace
}  // namespace veldrin
