#pragma once
// "帮助(&H)" → "语言 / Language": the user's own choice of language (the system's, Chinese or
// English), kept in the profile and put into effect at the next start.
#include <QMenu>
#include <QStringList>
#include <functional>
#include <optional>

#include "app/Profile.h"
#include "translations/Language.h"

namespace veldrin {

// The language the profile holds, nothing when the user follows the system.
std::optional<Language> ProfileLanguage(QSettings& profile);

// The language a start of the window speaks: --lang among `arguments`, else the choice the profile
// holds, else the locale that `environment` reads (nullptr for a variable not set).
Language StartingLanguage(const QStringList& arguments, QSettings& profile,
                          const std::function<const char*(const char*)>& environment);

class LanguageMenu final : public QMenu {
    Q_OBJECT
  public:
    explicit LanguageMenu(ProfileOpener openProfile, QWidget* parent = nullptr);

  private:
    void Choose(std::optional<Language> language);

    ProfileOpener openProfile_;
};

}  // namespace veldrin
