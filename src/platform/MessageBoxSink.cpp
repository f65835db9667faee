#include "platform/MessageBoxSink.h"

#include <QApplication>
#include <QCheckBox>
#include <QMessageBox>

namespace {

int box(QMessageBox::Icon icon, const QString &text, QMessageBox::StandardButtons buttons)
{
    QMessageBox box(icon, QStringLiteral("Cartling"), text, buttons, QApplication::activeWindow());
    // File names may hold "<" or "&": never let them be read as markup.
    box.setTextFormat(Qt::PlainText);
    return box.exec();
}

} // namespace

void MessageBoxSink::show(const QString &text)
{
    box(QMessageBox::NoIcon, text, QMessageBox::Ok);
}

void MessageBoxSink::error(const QString &text)
{
    box(QMessageBox::Critical, text, QMessageBox::Ok);
}

bool MessageBoxSink::confirm(const QString &text)
{
    return box(QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

bool MessageBoxSink::confirmWithOption(const QString &text, const QString &option, bool *ticked)
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("Cartling"), text, QMessageBox::Yes | QMessageBox::No,
                    QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    auto *check = new QCheckBox(option, &box);
    check->setObjectName(QStringLiteral("OptionBox"));
    box.setCheckBox(check);
    const bool yes = box.exec() == QMessageBox::Yes;
    *ticked = yes && check->isChecked();
    return yes;
}

void MessageBoxSink::about(const QString &title, const QString &text)
{
    QMessageBox::about(QApplication::activeWindow(), title, text);
}
