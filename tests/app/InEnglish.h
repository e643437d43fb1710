#pragma once
// Window tests in English: the English translation for a while (tests/EnglishForAWhile.h), and the
// texts a dialog shows, to look for Chinese in.
#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QStringList>
#include <QWidget>

#include "tests/EnglishForAWhile.h"

namespace veldrin::testing {

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

}  // namespace veldrin::testing
