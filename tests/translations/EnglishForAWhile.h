#pragma once
// The programs' English translation put into effect for a while, for the texts of the Qt code and
// of the libraries without Qt alike, with the ISO form of times the English interface shows; and a
// look for Chinese in what was shown. No widgets.
#include <QCoreApplication>
#include <QRegularExpression>
#include <QStringList>
#include <QTranslator>
#include <memory>

#include "translations/Translation.h"
#include "translations/Translator.h"

namespace veldrin::testing {

// While it lives, the programs' English translation is in effect.
class EnglishForAWhile {
  public:
    EnglishForAWhile() : translator_(LoadTranslation(Language::English)) {
        if (translator_) {
            QCoreApplication::installTranslator(translator_.get());
            TranslateLibrariesThroughApplication();
            text::ShowIsoTimes(true);
        }
    }
    ~EnglishForAWhile() {
        if (translator_) {
            QCoreApplication::removeTranslator(translator_.get());
            text::InstallTranslator(nullptr);
            text::ShowIsoTimes(false);
        }
    }
    EnglishForAWhile(const EnglishForAWhile&) = delete;
    EnglishForAWhile& operator=(const EnglishForAWhile&) = delete;
    bool Loaded() const { return translator_ != nullptr; }

  private:
    std::unique_ptr<QTranslator> translator_;
};

// The texts holding a Chinese character or Chinese punctuation.
inline QStringList WithChineseCharacters(const QStringList& texts) {
    return texts.filter(
        QRegularExpression(QStringLiteral("[\\x{4e00}-\\x{9fff}\\x{3000}-\\x{303f}\\x{ff00}-\\x{ffef}]")));
}

}  // namespace veldrin::testing
