#include "emulator/JoystickTypeDialog.h"

#include "emulator/EmulatorUseLine.h"
#include "platform/ErrorHandler.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

JoystickTypeDialog::JoystickTypeDialog(JoystickTypeOptions &options, QWidget *parent)
    : FormWindow("TForm6", QStringLiteral("Configurar Joystick"), parent), m_options(options)
{
    build();
}

void JoystickTypeDialog::build()
{
    setModal(true);
    auto *label = named(new QLabel(QStringLiteral("Tipo de Joystick"), this), "Label1");
    m_types = named(new QComboBox(this), "AHMAutoCombo1");
    m_types->addItems(JoystickTypeOptions::typeNames());
    m_types->setMinimumWidth(180);
    label->setBuddy(m_types);
    auto *close = named(new QPushButton(QStringLiteral("Aceptar"), this), "Button1");
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_types);
    layout->addWidget(new EmulatorUseLine(this));
    layout->addWidget(close, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // Selecting an entry from code runs no handler; only the user's choice stores the type.
    {
        const QSignalBlocker block(m_types);
        m_types->setCurrentIndex(m_options.type());
    }
    connect(m_types, &QComboBox::activated, this, guarded([this](int index) { m_options.chooseType(index); }));
}
