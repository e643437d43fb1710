#pragma once
// Window tests in English: the programs' English translation put into effect for a while (for the
// window's texts and the libraries' alike), and the texts a dialog shows, to look for Chinese in.
#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QStringList>
#include <QTabWidget>
#include <QWidget>

#include "tests/translations/EnglishForAWhile.h"

namespace veldrin::testing {

// A fixture's first base: the English translation is in effect before the window is made, as at
// a start in English.
struct EnglishFirst {
    EnglishForAWhile inEnglish;
};

// Every text a dialog shows: its title, labels, buttons and list entries.
inline QStringList ShownTexts(QWidget* dialog) {
    QStringList texts{dialog->windowTitle()};
    for (const QLabel* label : dialog->findChildren<QLabel*>())
        texts << label->text();
    for (const QAbstractButton* button : dialog->findChildren<QAbstractButton*>())
        texts << button->text();
    for (const QComboBox* list : dialog->findChildren<QComboBox*>()) {
        for (int i = 0; i < list->count(); ++i)
            texts << list->itemText(i);
    }
    return texts;
}

// A panel's texts: those of ShownTexts, its groups' titles and its tabs' names.
inline QStringList PanelTexts(QWidget* panel) {
    QStringList texts = ShownTexts(panel);
    for (const QGroupBox* group : panel->findChildren<QGroupBox*>())
        texts << group->title();
    for (const QTabWidget* tabs : panel->findChildren<QTabWidget*>()) {
        for (int i = 0; i < tabs->count(); ++i)
            texts << tabs->tabText(i);
    }
    return texts;
}

}  // namespace veldrin::testing
