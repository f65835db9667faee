#include "emulator/KeyboardDialog.h"

#include "emulator/EmulatorUseLine.h"
#include "platform/ErrorHandler.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QStyle>
#include <QVBoxLayout>

namespace {

struct ButtonControls
{
    const char *chooser;
    const char *label;
    const char *caption;
};

// In the order of the key line.
constexpr std::array<ButtonControls, KeyboardOptions::ButtonCount> kButtons{{
    {"AC1", "Label3", "Izquierda"},
    {"AC2", "Label4", "Derecha"},
    {"AC3", "Label1", "Arriba"},
    {"AC4", "Label2", "Abajo "},
    {"AC5", "Label5", "A       :"},
    {"AC6", "Label6", "B       :"},
    {"AC7", "Label7", "Start   :"},
    {"AC8", "Label8", "Select  :"},
}};

} // namespace

KeyboardDialog::KeyboardDialog(KeyboardOptions &options, QWidget *parent)
    : FormWindow("TForm4", QStringLiteral("Configuración de Teclado"), parent), m_options(options)
{
    build();
}

void KeyboardDialog::build()
{
    setModal(true);
    createLayout();
    loadFromOptions();
    connectLayout();
}

void KeyboardDialog::createLayout()
{
    const QPixmap warning = style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(16, 16);
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    for (int button = 0; button < KeyboardOptions::ButtonCount; ++button) {
        auto *chooser = named(new QComboBox(this), kButtons[button].chooser);
        chooser->addItems(KeyboardOptions::keyNames());
        chooser->setMaxVisibleItems(20);
        auto *label = named(new QLabel(QString::fromUtf8(kButtons[button].caption), this), kButtons[button].label);
        label->setBuddy(chooser);
        auto *mark = new QLabel(this);
        mark->setObjectName(QStringLiteral("SharedKeyMark%1").arg(button + 1));
        mark->setPixmap(warning);
        QSizePolicy keep = mark->sizePolicy();
        keep.setRetainSizeWhenHidden(true);
        mark->setSizePolicy(keep);
        m_choosers[button] = chooser;
        m_labels[button] = label;
        m_marks[button] = mark;
        // The direction keys on the left, the buttons on the right.
        const int row = button % 4;
        const int column = button < 4 ? 0 : 4;
        grid->addWidget(label, row, column);
        grid->addWidget(chooser, row, column + 1);
        grid->addWidget(mark, row, column + 2);
    }
    m_autofireA = named(new QCheckBox(QStringLiteral("Autofire"), this), "autoa");
    m_autofireB = named(new QCheckBox(QStringLiteral("Autofire"), this), "autob");
    grid->addWidget(m_autofireA, KeyboardOptions::ButtonA % 4, 7);
    grid->addWidget(m_autofireB, KeyboardOptions::ButtonB % 4, 7);
    grid->setColumnMinimumWidth(3, 16);

    m_accept = named(new QPushButton(QStringLiteral("Aceptar"), this), "Button1");
    m_accept->setDefault(true);
    m_cancel = named(new QPushButton(QStringLiteral("Cancelar"), this), "Button2");
    QHBoxLayout *buttons = buttonRow({m_accept, m_cancel});

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addSpacing(8);
    layout->addWidget(new EmulatorUseLine(this));
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void KeyboardDialog::connectLayout()
{
    for (int button = 0; button < KeyboardOptions::ButtonCount; ++button) {
        connect(m_choosers[button], &QComboBox::activated, this, guarded([this, button](int index) {
                    m_options.chooseKey(button, index);
                    showSharedKeys();
                }));
    }
    connect(m_autofireA, &QCheckBox::toggled, this, [this](bool on) { m_options.setAutofireA(on); });
    connect(m_autofireB, &QCheckBox::toggled, this, [this](bool on) { m_options.setAutofireB(on); });
    connect(m_accept, &QPushButton::clicked, this, guarded([this] {
                m_options.store();
                accept();
            }));
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void KeyboardDialog::loadFromOptions()
{
    for (int button = 0; button < KeyboardOptions::ButtonCount; ++button) {
        const QSignalBlocker blocker(m_choosers[button]);
        m_choosers[button]->setCurrentIndex(m_options.key(button));
    }
    const QSignalBlocker a(m_autofireA), b(m_autofireB);
    m_autofireA->setChecked(m_options.autofireA());
    m_autofireB->setChecked(m_options.autofireB());
    showSharedKeys();
}

void KeyboardDialog::showSharedKeys()
{
    for (int button = 0; button < KeyboardOptions::ButtonCount; ++button) {
        QStringList others;
        for (int other : m_options.buttonsSharingKey(button))
            others.append(buttonName(other));
        // Allowed, and stored as chosen; the mark only says so.
        const QString warning =
            others.isEmpty() ? QString() : QStringLiteral("Esta tecla también es la de: ") + others.join(", ");
        m_marks[button]->setVisible(!others.isEmpty());
        m_marks[button]->setToolTip(warning);
        m_choosers[button]->setAccessibleDescription(warning);
    }
}

QString KeyboardDialog::buttonName(int button) const
{
    QString name = m_labels[button]->text().trimmed();
    if (name.endsWith(u':'))
        name.chop(1);
    return name.trimmed().remove(u'&');
}

void KeyboardDialog::showEvent(QShowEvent *event)
{
    // Every showing starts from the stored keys, so choices that were not confirmed are gone. A window
    // system's own show (after a minimise) keeps the choices being made.
    if (!event->spontaneous()) {
        m_options.load();
        loadFromOptions();
    }
    FormWindow::showEvent(event);
}

void KeyboardDialog::keyPressEvent(QKeyEvent *event)
{
    // Escape confirms, as "Aceptar" is the dialog's cancel button; the close box drops the choices.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        m_accept->click();
        return;
    }
    FormWindow::keyPressEvent(event);
}
