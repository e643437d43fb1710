#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QTabWidget>

#include "app/CDlgHistory.h"
#include "app/CFormDialog.h"
#include "app/CMainFrame.h"
#include "app/CVeldrinApp.h"
#include "app/CVeldrinView.h"
#include "app/CommandLine.h"
#include "app/LanguageMenu.h"
#include "tests/app/AppTestSupport.h"
#include "tests/app/InEnglish.h"
#include "tests/app/QtTempFolder.h"
#include "tests/app/WindowDriving.h"
#include "translations/Translator.h"

namespace veldrin {
namespace {

using testing::AcceptNextDialog;
using testing::EnglishForAWhile;
using testing::OnNextDialog;
using testing::PanelTexts;
using testing::ProfileFolder;
using testing::ShownTexts;
using testing::WithChineseCharacters;

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

TEST(EnglishWindow, TheConnectDialogSpeaksEnglishAndChineseAgainOnceTheTranslationIsGone) {
    const test::QtTempFolder folder;
    const ProfileFolder profileFolder(folder.filePath(QStringLiteral("config")));
    auto openConnectDialog = [] {
        CVeldrinApp program({QStringLiteral("veldrin")});
        EXPECT_TRUE(program.InitInstance());
        QStringList shown;
        const auto answered = OnNextDialog<CLinkDlg>([&shown](CLinkDlg* dialog) {
            shown = ShownTexts(dialog);
            dialog->reject();
        });
        program.MainFrame()->Action(Command::Connect)->trigger();
        EXPECT_TRUE(*answered);
        return shown;
    };
    QStringList english;
    {
        const EnglishForAWhile inEnglish;
        ASSERT_TRUE(inEnglish.Loaded());
        english = openConnectDialog();
    }
    EXPECT_TRUE(english.contains(QStringLiteral("Connect Instrument"))) << english.join(u'|').toStdString();
    EXPECT_TRUE(english.contains(QStringLiteral("Identify automatically")));
    EXPECT_EQ(WithChineseCharacters(english), QStringList()) << "the English dialog shows no Chinese";

    const QStringList chinese = openConnectDialog();
    EXPECT_TRUE(chinese.contains(QStringLiteral("连接仪器")));
    EXPECT_TRUE(chinese.contains(QStringLiteral("温湿度记录仪")));
    EXPECT_TRUE(chinese.contains(QStringLiteral("自动识别")));
}

TEST(EnglishWindow, TheMenusAndTheirCommandsSpeakEnglish) {
    const test::QtTempFolder folder;
    const ProfileFolder profileFolder(folder.filePath(QStringLiteral("config")));
    const EnglishForAWhile inEnglish;
    ASSERT_TRUE(inEnglish.Loaded());
    CVeldrinApp program({QStringLiteral("veldrin")});
    ASSERT_TRUE(program.InitInstance());
    CMainFrame& frame = *program.MainFrame();
    QStringList titles;
    for (const QAction* menu : frame.menuBar()->actions())
        titles << menu->text();
    EXPECT_EQ(titles, QStringList({QStringLiteral("&File"), QStringLiteral("D&evice"),
                                   QStringLiteral("&View"), QStringLiteral("&Help")}));
    EXPECT_EQ(frame.Action(Command::Connect)->text(), QStringLiteral("Connect Instrument"));
    EXPECT_EQ(frame.Action(Command::ReadHistory)->text(), QStringLiteral("Read History"));
    EXPECT_EQ(frame.Action(Command::Open)->text(), QStringLiteral("&Open...\tCtrl+O"));
}

TEST(EnglishWindow, TheTwoPanelsTheirGroupsAndTheirTabsSpeakEnglishAndChineseOtherwise) {
    const test::QtTempFolder folder;
    const ProfileFolder profileFolder(folder.filePath(QStringLiteral("config")));
    const auto panels = [] {
        CVeldrinApp program({QStringLiteral("veldrin")});
        EXPECT_TRUE(program.InitInstance());
        const CVeldrinView& view = *program.MainFrame()->View();
        return std::make_pair(PanelTexts(view.RealtimePanel()), PanelTexts(view.HistoryPanel()));
    };
    {
        const EnglishForAWhile inEnglish;
        ASSERT_TRUE(inEnglish.Loaded());
        const auto [realtime, history] = panels();
        EXPECT_EQ(WithChineseCharacters(realtime), QStringList()) << realtime.join(u'|').toStdString();
        EXPECT_EQ(WithChineseCharacters(history), QStringList()) << history.join(u'|').toStdString();
        for (const char* shown : {"Logger Status", "Logger Settings", "Start time", "Stop Recording", "Trend",
                                  "Data list", "Alarm list"})
            EXPECT_TRUE(realtime.contains(QString::fromUtf8(shown))) << shown;
        EXPECT_TRUE(history.contains(QStringLiteral("Trend")));
    }
    const auto [realtime, history] = panels();
    for (const char* shown :
         {"记录仪状况", "记录仪设置", "标   题", "启动时间", "停止记录", "数据趋势", "数据列表", "报警列表"})
        EXPECT_TRUE(realtime.contains(QString::fromUtf8(shown))) << shown;
    EXPECT_TRUE(history.contains(QStringLiteral("报警列表")));
}

TEST(WindowCommandLine, LangChoosesTheLanguageAndLeavesTheFileToOpen) {
    auto answer = [](std::vector<std::string> words) {
        std::vector<char*> argv;
        for (std::string& word : words)
            argv.push_back(word.data());
        argv.push_back(nullptr);
        return AnswerOptions(static_cast<int>(words.size()), argv.data());
    };
    EXPECT_FALSE(answer({"veldrin", "--lang", "en", "run.Vdr"}).has_value()) << "the window starts";
    EXPECT_EQ(answer({"veldrin", "--lang", "fr"}), 2);

    const WindowArguments english = ReadWindowArguments({QStringLiteral("veldrin"), QStringLiteral("--lang"),
                                                         QStringLiteral("en"), QStringLiteral("run.Vdr")});
    EXPECT_EQ(english.language, Language::English);
    EXPECT_EQ(english.file, QStringLiteral("run.Vdr"));
    const WindowArguments plain = ReadWindowArguments({QStringLiteral("veldrin"), QStringLiteral("run.Vdr")});
    EXPECT_FALSE(plain.language.has_value());
    EXPECT_EQ(plain.file, QStringLiteral("run.Vdr"));
}

}  // namespace
}  // namespace veldrin
