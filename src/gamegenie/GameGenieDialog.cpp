#include "gamegenie/GameGenieDialog.h"

#include "emulator/ConfigTemplate.h"
#include "platform/AccessibleNames.h"
#include "platform/ErrorHandler.h"
#include "settings/SettingsFile.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

QPushButton *button(QWidget *parent, const char *name, const QString &caption, QRect place)
{
    auto *b = named(new QPushButton(caption, parent), name);
    b->setGeometry(place);
    return b;
}

} // namespace

GameGenieDialog::GameGenieDialog(ConfigTemplate &configTemplate, QWidget *parent)
    : FormWindow("TForm8", QString::fromUtf8("Códigos Game Genie"), parent), m_template(configTemplate)
{
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setFixedSize(385, 412);
    const SettingsFile settings;
    move(settings.read(Keys::Left2), settings.read(Keys::Top2));

    // Under the code group: the hint shown while the selected game has no internal name.
    auto *panel = named(new QWidget(this), "Panel1");
    panel->setGeometry(0, 0, 385, 360);
    auto *logo = named(new QLabel(panel), "Image1");
    logo->setGeometry(82, 20, 220, 81);
    m_hint = named(new QPlainTextEdit(panel), "Memo1");
    m_hint->setGeometry(20, 120, 345, 200);
    m_hint->setReadOnly(true);
    AccessibleNames::nameAfter(m_hint, this);
    m_hint->setFrameShape(QFrame::NoFrame);
    QFont bold = m_hint->font();
    bold.setBold(true);
    bold.setPixelSize(16);
    m_hint->setFont(bold);
    m_hint->setPlainText(QString::fromUtf8("Primero debes importar el Nombre \na la lista de Códigos o  Generar la \n"
                                           "lista de Títulos para Códigos Game \nGenie.Estas Opciones estan en los \n"
                                           "menus"));

    m_group = named(new QGroupBox(QStringLiteral("Nombre del Juego : "), this), "GroupBox1");
    m_group->setGeometry(4, 0, 377, 360);
    m_group->hide();
    m_group->setEnabled(false);
    m_title = named(new QLineEdit(m_group), "Edit1");
    m_title->setGeometry(10, 20, 270, 22);
    QFont titleFont = m_title->font();
    titleFont.setBold(true);
    m_title->setFont(titleFont);
    button(m_group, "Button2", QStringLiteral("Cambiar"), {290, 19, 75, 24});

    auto *activar = named(new QLabel(QStringLiteral("Activar"), m_group), "Label1");
    activar->setGeometry(10, 50, 50, 16);
    auto *codigo = named(new QLabel(QString::fromUtf8("Código"), m_group), "Label2");
    codigo->setGeometry(60, 50, 100, 16);
    auto *descripcion = named(new QLabel(QString::fromUtf8("Descripción"), m_group), "Label3");
    descripcion->setGeometry(160, 50, 200, 16);
    for (QLabel *heading : {activar, codigo, descripcion}) {
        QFont f = heading->font();
        f.setBold(true);
        heading->setFont(f);
    }
    codigo->setStyleSheet(QStringLiteral("color: blue"));
    descripcion->setStyleSheet(QStringLiteral("color: blue"));

    for (int n = 1; n <= RowCount; ++n) {
        Row &row = m_rows[n - 1];
        const int top = 70 + (n - 1) * 24;
        row.box = new QCheckBox(m_group);
        row.box->setObjectName(QStringLiteral("Box%1").arg(n));
        row.box->setGeometry(20, top, 20, 20);
        row.code = new QLineEdit(m_group);
        row.code->setObjectName(QStringLiteral("C%1").arg(n));
        row.code->setMaxLength(11);
        row.code->setGeometry(60, top, 95, 20);
        row.description = new QLineEdit(m_group);
        row.description->setObjectName(QStringLiteral("D%1").arg(n));
        row.description->setGeometry(160, top, 205, 20);
    }
    button(m_group, "Button5", QStringLiteral("Guardar Todo"), {10, 320, 110, 26});
    button(m_group, "Button3", QStringLiteral("Limpiar Todo"), {133, 320, 110, 26});
    button(m_group, "Button4", QString::fromUtf8("Cargar Códigos"), {256, 320, 110, 26});

    auto *nameGroup = named(new QGroupBox(QStringLiteral("Nombre Interno del juego"), this), "GroupBox2");
    nameGroup->setGeometry(4, 362, 260, 44);
    m_internalName = named(new QLabel(nameGroup), "a5");
    m_internalName->setAlignment(Qt::AlignCenter);
    m_internalName->setGeometry(6, 18, 248, 20);

    auto *accept = button(this, "Button1", QStringLiteral("Aceptar"), {290, 372, 85, 28});
    connect(accept, &QPushButton::clicked, this, &QDialog::hide);

    // The hidden actions: run by code (the launch, the selection), never seen by the user.
    auto *check = button(this, "Revisardatos", QStringLiteral("Revisar datos"), {0, 0, 0, 0});
    auto *use = button(this, "Button6", QStringLiteral("Usar"), {0, 0, 0, 0});
    auto *dontUse = button(this, "Button7", QStringLiteral("No Usar"), {0, 0, 0, 0});
    for (QPushButton *hidden : {check, use, dontUse})
        hidden->hide();
    connect(check, &QPushButton::clicked, this, guarded([this] { uncheckShortCodes(); }));
    connect(use, &QPushButton::clicked, this, guarded([this] { applyCheats(); }));
    connect(dontUse, &QPushButton::clicked, this, guarded([this] { removeCheats(); }));
}

void GameGenieDialog::uncheckShortCodes()
{
    for (const Row &row : m_rows) {
        if (row.code->text().size() < 7)
            row.box->setChecked(false);
    }
}

void GameGenieDialog::applyCheats()
{
    for (int n = 1; n <= RowCount; ++n) {
        const Row &row = m_rows[n - 1];
        m_template.replace(FirstCheatSlot + n - 1,
                           row.box->isChecked() ? QStringLiteral("-cheat ") + row.code->text() : QString());
    }
}

void GameGenieDialog::removeCheats()
{
    for (int n = 1; n <= RowCount; ++n)
        m_template.replace(FirstCheatSlot + n - 1, QString());
}
