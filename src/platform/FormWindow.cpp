#include "platform/FormWindow.h"

#include <QHBoxLayout>

FormWindow::FormWindow(const char *className, const QString &caption, QWidget *parent) : QDialog(parent)
{
    setObjectName(QString::fromLatin1(className));
    setWindowTitle(caption);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
}

QHBoxLayout *buttonRow(std::initializer_list<QWidget *> buttons)
{
    auto *row = new QHBoxLayout;
    row->addStretch();
    for (QWidget *button : buttons)
        row->addWidget(button);
    return row;
}
