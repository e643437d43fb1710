// The whole window in each language, walked as a user would: with a temperature-humidity logger
// connected and its history downloaded, every menu and toolbar text, every page of the realtime
// and history panels (dew point shown), the list of loggers, and every dialog and window that an
// enabled command opens, each answered with Cancel or closed as it comes up. In English nothing
// holds a Chinese character but the language menu's own names; in Chinese the window's own texts
// are there, exactly.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QDialog>
#include <QDockWidget>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QSet>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <algorithm>

#include "app/CVeldrinView.h"
#include "app/CurvePage.h"
#include "app/LanguageMenu.h"
#include "app/LoggerListPanel.h"
#include "app/UnitMenu.h"
#include "tests/app/ArchiveWindowFixture.h"
#include "tests/app/InEnglish.h"

namespace veldrin {
namespace {

using testing::EnglishForAWhile;
using testing::WithChineseCharacters;

// The first rows an item view shows are enough to see its texts in the language.
constexpr int kRowsRead = 30;

void AddModelTexts(const QAbstractItemModel& model, QStringList& texts) {
    for (int column = 0; column < model.columnCount(); ++column)
        texts << model.headerData(column, Qt::Horizontal).toString();
    for (int row = 0; row < std::min(model.rowCount(), kRowsRead); ++row) {
        texts << model.headerData(row, Qt::Vertical).toString();
        for (int column = 0; column < model.columnCount(); ++column)
            texts << model.data(model.index(row, column)).toString();
    }
}

void AddMenuTexts(const QList<QAction*>& actions, QStringList& texts) {
    for (const QAction* action : actions) {
        texts << action->text() << action->toolTip() << action->statusTip();
        if (action->menu() != nullptr)
            AddMenuTexts(action->menu()->actions(), texts);
    }
}

// Every text a window shows, hidden pages included: titles, labels, buttons, group boxes, tabs,
// list entries, placeholders, item views' headers and first rows, docks, tool bars, the status
// bar and what the history curve draws.
QStringList WindowTexts(QWidget* root) {
    QStringList texts = testing::PanelTexts(root);
    for (const QLineEdit* edit : root->findChildren<QLineEdit*>())
        texts << edit->placeholderText() << edit->text();
    for (const QAbstractItemView* view : root->findChildren<QAbstractItemView*>()) {
        if (view->model() != nullptr)
            AddModelTexts(*view->model(), texts);
    }
    for (const QDockWidget* dock : root->findChildren<QDockWidget*>())
        texts << dock->windowTitle();
    for (const QToolBar* bar : root->findChildren<QToolBar*>())
        AddMenuTexts(bar->actions(), texts);
    for (const QStatusBar* bar : root->findChildren<QStatusBar*>())
        texts << bar->currentMessage();
    for (CurvePage* curve : root->findChildren<CurvePage*>()) {
        curve->grab();
        for (const PageText& text : curve->Texts())
            texts << text.text;
    }
    texts.removeAll(QString());
    return texts;
}

class LanguageWalk : public testing::ArchiveWindowFixture {
  protected:
    // Connected to a temperature-humidity logger whose history has been read, shown with its
    // dew point, with the list of loggers open.
    void Prepare() {
        Download(LoggerModel::TemperatureHumidity, 48);
        frame.DewPointAction()->trigger();
        workspace.LoggerList().show();
        QCoreApplication::processEvents();
    }

    // Triggers every enabled command of the menus, but those that end the run, disconnect, or
    // switch something on and off, and answers every dialog it opens with Cancel; each dialog's
    // and each new window's texts are kept, and the new windows closed.
    QStringList WalkCommands() {
        QStringList texts;
        QList<QAction*> commands;
        CollectCommands(frame.menuBar()->actions(), commands);
        for (QAction* command : commands) {
            SCOPED_TRACE(command->text().toStdString());
            const QWidgetList before = QApplication::topLevelWidgets();
            QSet<QWidget*> answered;
            QTimer answerer;
            QObject::connect(&answerer, &QTimer::timeout, [&] {
                QWidget* modal = QApplication::activeModalWidget();
                if (modal == nullptr || answered.contains(modal))
                    return;
                answered.insert(modal);
                ++windowsRead;
                texts << WindowTexts(modal);
                if (auto* dialog = qobject_cast<QDialog*>(modal))
                    dialog->reject();
                else
                    modal->close();
            });
            answerer.start(20);
            command->trigger();
            QCoreApplication::processEvents();
            answerer.stop();
            for (QWidget* window : QApplication::topLevelWidgets()) {
                if (!before.contains(window) && window->isVisible() && !answered.contains(window)) {
                    texts << WindowTexts(window);
                    ++windowsRead;
                    window->close();
                }
            }
        }
        return texts;
    }

    void CollectCommands(const QList<QAction*>& actions, QList<QAction*>& commands) {
        for (QAction* action : actions) {
            if (action->menu() != nullptr) {
                // The language and unit menus switch settings; their names are read, not chosen.
                if (qobject_cast<UnitMenu*>(action->menu()) == nullptr &&
                    qobject_cast<LanguageMenu*>(action->menu()) == nullptr)
                    CollectCommands(action->menu()->actions(), commands);
                continue;
            }
            const bool endsOrSwitches = action->isSeparator() || action->isCheckable() ||
                                        action == frame.Action(Command::Disconnect) ||
                                        action->text() == CMainFrame::tr("退出(&X)");
            if (!endsOrSwitches && action->isEnabled())
                commands << action;
        }
    }

    // Everything the window shows, then everything its commands open, connected and then not.
    QStringList Walk() {
        QStringList texts;
        AddMenuTexts(frame.menuBar()->actions(), texts);
        frame.RefreshCommands();
        frame.Action(Command::RealtimeView)->trigger();
        texts << WindowTexts(&frame);
        frame.Action(Command::HistoryView)->trigger();
        texts << WindowTexts(&frame);
        texts << WalkCommands();
        // Disconnected, the connect dialog and the disconnected state's texts come up too.
        frame.Action(Command::Disconnect)->trigger();
        StepUntil([&] { return workspace.Connection().CurrentPhase() != Phase::Polling; }, 50);
        frame.RefreshCommands();
        texts << WindowTexts(&frame) << WalkCommands();
        texts.removeAll(QString());
        return texts;
    }

    int windowsRead = 0;  // the dialogs and windows the commands opened
};

class EnglishLanguageWalk : public testing::EnglishFirst, public LanguageWalk {};

TEST_F(EnglishLanguageWalk, NoMenuPageDialogOrWindowShowsChinese) {
    ASSERT_TRUE(inEnglish.Loaded());
    Prepare();
    const QStringList texts = Walk();
    ASSERT_GT(texts.size(), 300);
    EXPECT_GE(windowsRead, 12) << "the commands' dialogs and windows, connected and then not";
    QStringList chinese = WithChineseCharacters(texts);
    // The language menu names each language in its own words.
    chinese.removeAll(QStringLiteral("语言 / Language"));
    chinese.removeAll(QStringLiteral("中文"));
    // The title and description the logger holds are its own (GBK Chinese on the wire), and so
    // is the file name proposed from its title: they are shown as the logger has them.
    const QString loggerTitle = QStringLiteral("模拟温湿度记录仪");
    const QString loggerDescription = QStringLiteral("Veldrin 模拟记录仪");
    chinese.removeIf(
        [&](const QString& text) { return text.startsWith(loggerTitle) || text == loggerDescription; });
    chinese.removeDuplicates();
    EXPECT_EQ(chinese, QStringList()) << chinese.join(u'\n').toStdString();
    for (const char* english : {"&File", "Connect Instrument", "Read History", "Temperature", "Humidity"})
        EXPECT_TRUE(texts.filter(QString::fromUtf8(english)).size() > 0) << english;
}

TEST_F(LanguageWalk, InChineseTheWindowsOwnTextsAreShownExactly) {
    Prepare();
    const QStringList texts = Walk();
    for (const char* chinese :
         {"文件(&F)",       "设备(&E)",     "数据(&V)",        "帮助(&H)",     "连接仪器",
          "断开仪器",       "读取历史数据", "即时数据界面",    "历史数据界面", "打印历史数据\t(&P)",
          "显示露点(计算)", "温度单位",     "语言 / Language", "仪器列表",     "档案库…",
          "数据趋势",       "数据列表",     "报警列表",        "记录仪状况",   "记录仪设置",
          "启动记录",       "停止记录",     "全部下载",        "插入即下载"})
        EXPECT_TRUE(texts.contains(QString::fromUtf8(chinese))) << chinese;
}

}  // namespace
}  // namespace veldrin
