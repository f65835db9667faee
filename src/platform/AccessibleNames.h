#pragma once

#include <QString>

class QObject;
class QWidget;

// Screen readers announce a control by its accessible name. A control with a caption of its own is announced
// by it; icon buttons, lists and fields take their name from their tooltip, their label, the group they sit
// in, or a source named here, and follow the language texts as a caption would.
namespace AccessibleNames {

// Names every control of the window that has no name yet, and renews the names given here before, so that
// a new language reaches them too.
void update(QWidget *window);

// The control is named after the text of this object (an action, a label, a button, a group or a window's
// title), followed by `suffix` (say " 3" for the third of a column's fields), from now on.
void nameAfter(QWidget *control, QObject *source, const QString &suffix = QString());

} // namespace AccessibleNames
