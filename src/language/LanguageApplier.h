#pragma once

#include "language/LanguageTable.h"

#include <QList>
#include <QStringList>

class QWidget;

// The windows a language reaches: the application's top-level widgets whose objectName starts with "TForm".
QList<QWidget *> languageWindows();

// Sets every applied entry of the table on its component(s) in the given windows: a window's title, a menu's
// title, an action's, button's or label's text, a group's title, an edit's text (its textChanged fires) or a
// memo's whole text. A component a window does not hold is passed over.
void applyLanguage(const QStringList &table, const QList<QWidget *> &windows = languageWindows());

// The targets whose window is among the given ones but whose component it lacks, or holds only as a kind of
// object that takes no text. Empty when every window is built as the language table expects.
QList<LanguageTable::Target> unreachedTargets(const QList<QWidget *> &windows = languageWindows());
