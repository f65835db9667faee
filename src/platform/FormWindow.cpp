#include "platform/FormWindow.h"

FormWindow::FormWindow(const char *className, const QString &caption, QWidget *parent) : QDialog(parent)
{
    setObjectName(QString::fromLatin1(className));
    setWindowTitle(caption);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
}
