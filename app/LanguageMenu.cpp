#include "app/LanguageMenu.h"

#include <QActionGroup>
#include <QMessageBox>

#include "app/CommandLine.h"

namespace veldrin {
namespace {

const QString kLanguageKey = QStringLiteral("Settings/Language");

}  // namespace

std::optional<Language> ProfileLanguage(QSettings& profile) {
    return LanguageOfCode(profile.value(kLanguageKey).toString().toStdString());
}

Language StartingLanguage(const QStringList& arguments, QSettings& profile,
                          const std::function<const char*(const char*)>& environment) {
    return ChosenLanguage(ReadWindowArguments(arguments).language, ProfileLanguage(profile), environment);
}

LanguageMenu::LanguageMenu(ProfileOpener openProfile, QWidget* parent)
    : QMenu(QStringLiteral("语言 / Language"), parent), openProfile_(std::move(openProfile)) {
    setObjectName(QStringLiteral("languageMenu"));
    auto* group = new QActionGroup(this);
    const std::optional<Language> chosen = ProfileLanguage(*openProfile_());
    // The names of the languages are written in their own language, so that each reader finds his.
    const struct {
        QString text;
        std::optional<Language> language;
    } choices[] = {{tr("跟随系统设置"), std::nullopt},
                   {QStringLiteral("中文"), Language::Chinese},
                   {QStringLiteral("English"), Language::English}};
    for (const auto& choice : choices) {
        QAction* action = addAction(choice.text);
        action->setCheckable(true);
        action->setChecked(choice.language == chosen);
        group->addAction(action);
        connect(action, &QAction::triggered, this, [this, language = choice.language] { Choose(language); });
    }
}

void LanguageMenu::Choose(std::optional<Language> language) {
    auto profile = openProfile_();
    if (ProfileLanguage(*profile) == language)
        return;
    if (language)
        profile->setValue(kLanguageKey, QString::fromLatin1(CodeOfLanguage(*language)));
    else
        profile->remove(kLanguageKey);
    profile->sync();
    QMessageBox::information(parentWidget(), tr("语言 / Language"), tr("Veldrin 下次启动时使用所选的语言。"));
}

}  // namespace veldrin
