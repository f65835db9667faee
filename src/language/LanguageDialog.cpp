#include "language/LanguageDialog.h"

#include "language/Language.h"
#include "language/LanguageChoice.h"
#include "platform/ErrorHandler.h"

#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>

LanguageDialog::LanguageDialog(Language &language, QWidget *parent)
    : FormWindow("TForm13", QStringLiteral("Configuración del Idioma"), parent), m_language(language)
{
    setModal(true);

    m_group = new QGroupBox(QStringLiteral("Seleccionar Idioma"), this);
    m_group->setObjectName(QStringLiteral("GroupBox2"));
    m_combo = new QComboBox(m_group);
    m_combo->setObjectName(QStringLiteral("AHMFileCombo1"));
    m_combo->setMinimumWidth(220);
    m_button = new QPushButton(QStringLiteral("Aceptar"), this);
    m_button->setObjectName(QStringLiteral("Button1"));
    m_button->setDefault(true);

    auto *groupLayout = new QVBoxLayout(m_group);
    groupLayout->addWidget(m_combo);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_group);
    layout->addWidget(m_button, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // The file names are shown in bold, in the list and in the closed box alike.
    QFont bold = m_combo->font();
    bold.setBold(true);
    m_combo->setFont(bold);
    m_files = LanguageChoice::languageFiles();
    for (int i = 0; i < m_files.size(); ++i) {
        m_combo->addItem(m_files[i]);
        m_combo->setItemData(i, bold, Qt::FontRole);
    }
    m_combo->setCurrentIndex(LanguageChoice::initialIndex(m_files));

    connect(m_combo, &QComboBox::activated, this, guarded([this](int index) { storeChosenFile(index); }));
    connect(m_button, &QPushButton::clicked, this, guarded([this] { loadChosenLanguage(); }));
}

void LanguageDialog::storeChosenFile(int index)
{
    LanguageChoice::store(m_files, index);
}

void LanguageDialog::loadChosenLanguage()
{
    m_language.loadStoredLanguage();
    accept();
}

void LanguageDialog::keyPressEvent(QKeyEvent *event)
{
    // Escape answers "Aceptar", as the button is the dialog's cancel button; the close box only closes.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        m_button->click();
        return;
    }
    FormWindow::keyPressEvent(event);
}
