#include "library/TitleDialog.h"

#include "platform/AccessibleNames.h"
#include "platform/ErrorHandler.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

TitleDialog::TitleDialog(QWidget *parent) : FormWindow("TForm10", QString::fromUtf8("Cambiar Título"), parent)
{
    setModal(true);
    m_stem = named(new QLabel(this), "Label1");
    m_stem->setAlignment(Qt::AlignCenter);
    m_stem->setTextFormat(Qt::PlainText); // a file's stem, never markup
    QFont bold = m_stem->font();
    bold.setBold(true);
    m_stem->setFont(bold);
    m_title = named(new QLineEdit(this), "Edit1");
    m_title->setMinimumWidth(280);
    // The field is announced by the window's caption; the label above it shows a file's stem.
    AccessibleNames::nameAfter(m_title, this);
    auto *change = named(new QPushButton(QString::fromUtf8("Cambiar Título"), this), "Button1");
    change->setDefault(true);
    // Escape closes the dialog as "Cancelar" does.
    auto *cancel = named(new QPushButton(QStringLiteral("Cancelar"), this), "Button2");

    QHBoxLayout *buttons = buttonRow({change, cancel});
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_stem);
    layout->addWidget(m_title);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_title, &QLineEdit::textChanged, this, [this](const QString &text) { m_rules.setTitle(text); });
    // A title that cannot be written keeps the dialog open with what was typed.
    connect(change, &QPushButton::clicked, this, guarded([this] {
                m_rules.store();
                accept();
            }));
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TitleDialog::loadFromRules()
{
    const QSignalBlocker blocker(m_title);
    // A very long stem is shortened in the middle rather than widening the dialog beyond the screen.
    const QString &stem = m_rules.stem();
    m_stem->setText(QFontMetrics(m_stem->font()).elidedText(stem, Qt::ElideMiddle, MaxStemWidth));
    m_stem->setToolTip(m_stem->text() == stem ? QString() : stem);
    m_title->setText(m_rules.title());
}

bool TitleDialog::editTitle(const QString &romPath)
{
    m_rules.load(romPath);
    loadFromRules();
    m_title->selectAll();
    m_title->setFocus();
    return exec() == QDialog::Accepted;
}
