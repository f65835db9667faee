#include "archive/ArchiveNameDialog.h"

#include "platform/AccessibleNames.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

ArchiveNameDialog::ArchiveNameDialog(QWidget *parent)
    : FormWindow("TForm9", QString::fromUtf8("Escriba nombre del archivo a comprimir"), parent)
{
    setModal(true);
    m_name = named(new QLineEdit(this), "ofe1");
    m_name->setMinimumWidth(280);
    // The field is announced by the window's question.
    AccessibleNames::nameAfter(m_name, this);
    auto *accept = named(new QPushButton(QStringLiteral("Aceptar"), this), "Button1");
    accept->setDefault(true);
    // Escape closes a dialog as "Cancelar" does.
    auto *cancel = named(new QPushButton(QStringLiteral("Cancelar"), this), "Button2");

    QHBoxLayout *buttons = buttonRow({accept, cancel});
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_name);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(accept, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

std::optional<QString> ArchiveNameDialog::askName(const QString &stem)
{
    m_name->setText(stem);
    m_name->selectAll();
    m_name->setFocus();
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    return m_name->text();
}
