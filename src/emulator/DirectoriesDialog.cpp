#include "emulator/DirectoriesDialog.h"

#include "emulator/EmulatorUseLine.h"
#include "emulator/FolderPicker.h"
#include "platform/AccessibleNames.h"
#include "platform/ErrorHandler.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

DirectoriesDialog::DirectoriesDialog(DirectoriesOptions &options, QWidget *parent)
    : FormWindow("TForm12", QStringLiteral("Otras Configuraciones 2"), parent), m_options(options)
{
    build();
}

void DirectoriesDialog::build()
{
    using Folder = DirectoriesOptions::Folder;
    setModal(true);
    auto *folders = new QGridLayout;
    const char *boxNames[] = {"CheckBox1", "CheckBox2"};
    const char *pickerNames[] = {"dir1", "dir2"};
    const QString boxCaptions[] = {QStringLiteral("Rts Dir   : "), QStringLiteral("Save Dir : ")};
    for (Folder folder : {DirectoriesOptions::Rts, DirectoriesOptions::Save}) {
        QCheckBox *box = m_folderBoxes[folder] = named(new QCheckBox(boxCaptions[folder], this), boxNames[folder]);
        FolderPicker *picker = m_pickers[folder] = named(new FolderPicker(this), pickerNames[folder]);
        picker->setBrowseCaption(DirectoriesOptions::browseCaption(folder));
        AccessibleNames::nameAfter(picker->edit(), box);
        AccessibleNames::nameAfter(picker->browseButton(), box);
        folders->addWidget(box, folder, 0);
        folders->addWidget(picker, folder, 1);

        connect(box, &QCheckBox::toggled, this,
                [this, folder](bool on) { handle([this, folder, on] { m_options.setFolderOption(folder, on); }); });
        connect(picker, &FolderPicker::textEdited, this, [this, folder](const QString &text) {
            handle([this, folder, text] { m_options.setFolderText(folder, text); });
        });
        connect(picker, &FolderPicker::folderChosen, this, [this, folder](const QString &path) {
            handle([this, folder, path] { m_options.pickFolder(folder, path); });
        });
    }

    auto *shots = named(new QGroupBox(QStringLiteral("Zibo Shoots"), this), "GroupBox2");
    m_jpeg = named(new QCheckBox(QStringLiteral("Siempre Comprimir a Jpg"), shots), "CheckBox3");
    m_deleteBitmaps = named(new QCheckBox(QStringLiteral("Borrar Bitmaps Después de Comprimir"), shots), "CheckBox4");
    auto *qualityGroup = named(new QGroupBox(QStringLiteral("Calidad Compresión Jpg"), shots), "GroupBox3");
    m_quality = named(new QSpinBox(qualityGroup), "SpinEdit1");
    m_quality->setRange(1, 100);
    auto *qualityLayout = new QVBoxLayout(qualityGroup);
    m_quality->setMinimumWidth(70);
    qualityLayout->addWidget(m_quality, 0, Qt::AlignLeft);
    auto *shotsLayout = new QVBoxLayout(shots);
    shotsLayout->addWidget(m_jpeg);
    shotsLayout->addWidget(m_deleteBitmaps);
    shotsLayout->addWidget(qualityGroup);

    connect(m_jpeg, &QCheckBox::toggled, this, [this](bool on) { handle([this, on] { m_options.setJpeg(on); }); });
    connect(m_deleteBitmaps, &QCheckBox::toggled, this,
            [this](bool on) { handle([this, on] { m_options.setDeleteBitmaps(on); }); });
    connect(m_quality, &QSpinBox::valueChanged, this,
            [this](int value) { handle([this, value] { m_options.setQuality(value); }); });

    auto *close = named(new QPushButton(QStringLiteral("Aceptar"), this), "Button1");
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(folders);
    layout->addWidget(shots);
    layout->addWidget(new EmulatorUseLine(this));
    layout->addWidget(close, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    loadFromRules();
}

void DirectoriesDialog::showEvent(QShowEvent *event)
{
    m_options.reloadFolders();
    loadFromRules();
    FormWindow::showEvent(event);
}

void DirectoriesDialog::handle(std::function<void()> change)
{
    guarded(change)();
    loadFromRules();
}

void DirectoriesDialog::loadFromRules()
{
    const auto show = [](QCheckBox *box, bool on) {
        const QSignalBlocker block(box);
        box->setChecked(on);
    };
    for (DirectoriesOptions::Folder folder : {DirectoriesOptions::Rts, DirectoriesOptions::Save}) {
        show(m_folderBoxes[folder], m_options.folderOption(folder));
        // Left alone while it matches, so typing keeps its cursor.
        if (m_pickers[folder]->text() != m_options.folderText(folder))
            m_pickers[folder]->setText(m_options.folderText(folder));
    }
    const ScreenshotOptions &shots = m_options.screenshotOptions();
    show(m_jpeg, shots.convertToJpeg);
    show(m_deleteBitmaps, shots.deleteBitmap);
    m_deleteBitmaps->setEnabled(m_options.deleteBitmapsEnabled());
    if (m_quality->value() != shots.quality) {
        const QSignalBlocker block(m_quality);
        m_quality->setValue(shots.quality);
    }
}
