#include "emulator/FolderPicker.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QToolButton>

FolderPicker::FolderPicker(QWidget *parent) : QWidget(parent)
{
    m_edit = new QLineEdit(this);
    m_edit->setMinimumWidth(220);
    m_browse = new QToolButton(this);
    m_browse->setText(QStringLiteral("..."));
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(m_edit, 1);
    layout->addWidget(m_browse);
    // Focus given to the picker goes to its field.
    setFocusProxy(m_edit);

    m_chooser = [](QWidget *owner, const QString &caption, const QString &start) {
        return QFileDialog::getExistingDirectory(owner, caption, start, QFileDialog::ShowDirsOnly);
    };
    connect(m_edit, &QLineEdit::textEdited, this, &FolderPicker::textEdited);
    connect(m_browse, &QToolButton::clicked, this, &FolderPicker::browse);
}

QString FolderPicker::text() const
{
    return m_edit->text();
}

void FolderPicker::setText(const QString &text)
{
    m_edit->setText(text);
}

void FolderPicker::browse()
{
    const QString start = QFileInfo(text()).isDir() ? text() : QString();
    const QString folder = m_chooser(window(), m_caption, start);
    if (!folder.isEmpty())
        emit folderChosen(folder);
}
