#include <gtest/gtest.h>

#include <QMenu>
#include <QMenuBar>

#include "app/CMainFrame.h"
#include "app/CVeldrinApp.h"
#include "app/CommandLine.h"
#include "app/LanguageMenu.h"
#include "tests/app/AppTestSupport.h"
#include "tests/app/QtTempFolder.h"

namespace veldrin {
namespace {

using testing::AcceptNextDialog;
using testing::ProfileFolder;

QAction* LanguageAction(CMainFrame& frame, const QString& text) {
    // "帮助(&H)" → "语言 / Language"
    QMenu* help = frame.menuBar()->actions().constLast()->menu();
    QMenu* languages = nullptr;
    for (QAction* entry : help->actions()) {
        if (entry->text() == QStringLiteral("语言 / Language"))
            languages = entry->menu();
    }
    if (languages == nullptr)
        return nullptr;
    for (QAction* action : languages->actions()) {
        if (action->text() == text)
            return action;
    }
    return nullptr;
}

TEST(LanguageMenu, TheChoiceIsKeptInTheProfileAndTheUserIsToldWhenItTakesEffect) {
    const test::QtTempFolder folder;
    const ProfileFolder profileFolder(folder.filePath(QStringLiteral("config")));
    {
        CVeldrinApp program({QStringLiteral("veldrin")});
        ASSERT_TRUE(program.InitInstance());
        QAction* system = LanguageAction(*program.MainFrame(), QStringLiteral("跟随系统设置"));
        QAction* english = LanguageAction(*program.MainFrame(), QStringLiteral("English"));
        ASSERT_NE(system, nullptr);
        ASSERT_NE(english, nullptr);
        EXPECT_TRUE(system->isChecked()) << "a new profile follows the system";

        auto said = std::make_shared<QString>();
        AcceptNextDialog(said);
        english->trigger();
        EXPECT_EQ(*said, QStringLiteral("Veldrin 下次启动时使用所选的语言。"));
        EXPECT_EQ(ProfileLanguage(*OpenProfile()), Language::English);
    }
    {
        CVeldrinApp program({QStringLiteral("veldrin")});
        ASSERT_TRUE(program.InitInstance());
        EXPECT_TRUE(LanguageAction(*program.MainFrame(), QStringLiteral("English"))->isChecked())
            << "the next start shows the choice";
        AcceptNextDialog();
        LanguageAction(*program.MainFrame(), QStringLiteral("跟随系统设置"))->trigger();
        EXPECT_FALSE(ProfileLanguage(*OpenProfile()).has_value());
    }
}

TEST(WindowCommandLine, LangChoosesTheLanguageAndLeavesTheFileToOpen) {
    auto answer = [](std::vector<std::string> words, WindowOptions& options) {
        std::vector<char*> argv;
        for (std::string& word : words)
            argv.push_back(word.data());
        argv.push_back(nullptr);
        return AnswerOptions(static_cast<int>(words.size()), argv.data(), options);
    };
    WindowOptions english;
    EXPECT_FALSE(answer({"veldrin", "--lang", "en", "run.Vdr"}, english).has_value());
    EXPECT_EQ(english.language, Language::English);
    EXPECT_EQ(english.file, QStringLiteral("run.Vdr"));

    WindowOptions plain;
    EXPECT_FALSE(answer({"veldrin", "run.Vdr"}, plain).has_value());
    EXPECT_FALSE(plain.language.has_value());
    EXPECT_EQ(plain.file, QStringLiteral("run.Vdr"));

    WindowOptions wrong;
    EXPECT_EQ(answer({"veldrin", "--lang", "fr"}, wrong), 2);
}

}  // namespace
}  // namespace veldrin
