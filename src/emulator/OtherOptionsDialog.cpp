#include "emulator/OtherOptionsDialog.h"

#include "emulator/EmulatorUseLine.h"
#include "platform/AccessibleNames.h"
#include "platform/ErrorHandler.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString kPictureFilters = QStringLiteral("Bitmaps (*.bmp);;Gif (*.gif);;(Bitmaps, gif) (*.bmp *.gif)");

QString openPicture(QWidget *parent, const QString &start)
{
    QString selected = QStringLiteral("(Bitmaps, gif) (*.bmp *.gif)");
    return QFileDialog::getOpenFileName(parent, QString(), start, kPictureFilters, &selected);
}

} // namespace

OtherOptionsDialog::OtherOptionsDialog(OtherOptions &options, QWidget *parent)
    : FormWindow("TForm5", QStringLiteral("Otras configuraciones"), parent), m_options(options),
      m_choosePicture(openPicture)
{
    build();
}

void OtherOptionsDialog::build()
{
    setModal(true);
    createLayout();
    loadFromRules();
    connectControls();
}

void OtherOptionsDialog::createLayout()
{
    m_delay = named(new QCheckBox(QStringLiteral("Delay Screen Refresh"), this), "CheckBox1");
    m_sync = named(new QCheckBox(QStringLiteral("Disable Synk"), this), "CheckBox2");
    m_crc = named(new QCheckBox(QStringLiteral("Ckeck Rom Crc"), this), "CheckBox3");
    auto *switches = new QVBoxLayout;
    switches->addWidget(m_delay);
    switches->addWidget(m_sync);
    switches->addWidget(m_crc);
    switches->addStretch();

    auto *compression = named(new QGroupBox(QStringLiteral("Opciones de Compresión"), this), "GroupBox2");
    auto *levelLabel = named(new QLabel(QStringLiteral("Nivel de Compresión"), compression), "Label1");
    levelLabel->setToolTip(QStringLiteral("9 = Máxima Compresión\n1 = Mínima Compresión"));
    m_level = named(new QComboBox(compression), "sEdit1");
    m_level->setEditable(true);
    m_level->setInsertPolicy(QComboBox::NoInsert);
    for (int level = 1; level <= 9; ++level)
        m_level->addItem(QString::number(level));
    m_level->lineEdit()->setMaxLength(1);
    levelLabel->setBuddy(m_level);
    m_deleteRom = named(new QCheckBox(QStringLiteral("Borrar Rom despues de Comprimir"), compression), "CheckBox4");
    m_leaveOutFolders = named(new QCheckBox(QStringLiteral("No incluir directorios"), compression), "CheckBox5");
    m_askName = named(new QCheckBox(QStringLiteral("Preguntar por nombre del Fichero ZIP"), compression), "CheckBox7");
    auto *levelRow = new QHBoxLayout;
    levelRow->addWidget(levelLabel);
    levelRow->addWidget(m_level);
    levelRow->addStretch();
    auto *compressionLayout = new QVBoxLayout(compression);
    compressionLayout->addLayout(levelRow);
    compressionLayout->addWidget(m_deleteRom);
    compressionLayout->addWidget(m_leaveOutFolders);
    compressionLayout->addWidget(m_askName);

    auto *models = named(new QGroupBox(QStringLiteral("Gameboy Modos"), this), "GroupBox3");
    auto *modelsLayout = new QVBoxLayout(models);
    const char *modelNames[] = {"RadioButton1", "RadioButton2", "RadioButton3", "RadioButton4"};
    const QString modelCaptions[] = {QStringLiteral("Autodetectar"), QStringLiteral("Forzar Gameboy Color"),
                                     QStringLiteral("Forzar Gameboy Normal"), QStringLiteral("Forzar Super Gameboy")};
    for (int i = 0; i < 4; ++i) {
        m_models[i] = named(new QRadioButton(modelCaptions[i], models), modelNames[i]);
        modelsLayout->addWidget(m_models[i]);
    }

    auto *background = named(new QGroupBox(QStringLiteral("Usar Fondo Seleccionado"), this), "GroupBox4");
    m_useBackground = named(new QCheckBox(background), "CheckBox6");
    m_picture = named(new QLineEdit(background), "OEdit1");
    // Filled by the picker only: a path typed by hand would reach the emulator unchecked.
    m_picture->setReadOnly(true);
    m_picture->setMinimumWidth(200);
    m_browsePicture = named(new QToolButton(background), "SpeedButton1");
    m_browsePicture->setText(QStringLiteral("..."));
    AccessibleNames::nameAfter(m_useBackground, background);
    AccessibleNames::nameAfter(m_picture, background);
    AccessibleNames::nameAfter(m_browsePicture, background);
    auto *backgroundLayout = new QHBoxLayout(background);
    backgroundLayout->addWidget(m_useBackground);
    backgroundLayout->addWidget(m_picture, 1);
    backgroundLayout->addWidget(m_browsePicture);

    m_replaceTitles = named(new QCheckBox(QStringLiteral("Reemplazar títulos existentes"), this), "CheckBox8");
    m_replaceTitles->setToolTip(QStringLiteral("Válido solo para generar la lista"));

    auto *close = named(new QPushButton(QStringLiteral("Aceptar"), this), "Button1");
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    auto *grid = new QGridLayout;
    grid->addLayout(switches, 0, 0);
    grid->addWidget(models, 0, 1);
    grid->addWidget(compression, 1, 0);
    auto *right = new QVBoxLayout;
    right->addWidget(background);
    right->addWidget(m_replaceTitles);
    right->addStretch();
    grid->addLayout(right, 1, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(new EmulatorUseLine(this), 0, Qt::AlignHCenter);
    layout->addWidget(close, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void OtherOptionsDialog::connectControls()
{
    // The rules are reached through a captured reference: GCC's UBSan misreads a member reached through a this
    // captured twice over.
    const auto onToggle = [this](QCheckBox *box, void (OtherOptions::*set)(bool)) {
        connect(box, &QCheckBox::toggled, this,
                [this, set](bool on) { handle([&options = m_options, set, on] { (options.*set)(on); }); });
    };
    onToggle(m_delay, &OtherOptions::setDelayRefresh);
    onToggle(m_sync, &OtherOptions::setDisableSync);
    onToggle(m_crc, &OtherOptions::setCheckCrc);
    onToggle(m_deleteRom, &OtherOptions::setDeleteRom);
    onToggle(m_leaveOutFolders, &OtherOptions::setLeaveOutFolders);
    onToggle(m_askName, &OtherOptions::setAskName);
    onToggle(m_useBackground, &OtherOptions::setUseBackground);
    onToggle(m_replaceTitles, &OtherOptions::setReplaceTitles);
    for (int i = 0; i < 4; ++i) {
        connect(m_models[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on)
                handle([&options = m_options, i] { options.chooseModel(OtherOptions::Autodetect + i); });
        });
    }
    connect(m_level, &QComboBox::editTextChanged, this,
            [this](const QString &text) { handle([&options = m_options, text] { options.setLevel(text); }); });
    connect(m_browsePicture, &QToolButton::clicked, this, [this] { handle([this] { browsePicture(); }); });
}

void OtherOptionsDialog::handle(std::function<void()> change)
{
    guarded(change)();
    loadFromRules();
}

void OtherOptionsDialog::loadFromRules()
{
    const auto show = [](QCheckBox *box, bool on) {
        const QSignalBlocker block(box);
        box->setChecked(on);
    };
    show(m_delay, m_options.delayRefresh());
    show(m_sync, m_options.disableSync());
    show(m_crc, m_options.checkCrc());
    const CompressionOptions compression = m_options.compression();
    show(m_deleteRom, compression.deleteRom);
    show(m_leaveOutFolders, compression.junkDirectoryNames);
    show(m_askName, compression.askName);
    show(m_useBackground, m_options.useBackground());
    show(m_replaceTitles, m_options.replaceTitles());
    {
        // The buttons exclude each other: ticking one clears the others.
        QRadioButton *model = m_models[m_options.model() - OtherOptions::Autodetect];
        const QSignalBlocker block(model);
        model->setChecked(true);
    }
    if (m_level->currentText() != compression.level) {
        const QSignalBlocker block(m_level);
        m_level->setEditText(compression.level);
    }
    m_picture->setText(m_options.picture());
}

void OtherOptionsDialog::browsePicture()
{
    const QString current = m_options.picture();
    const QString start = current.isEmpty() ? QString() : QFileInfo(current).absolutePath();
    const QString chosen = m_choosePicture(this, start);
    if (!chosen.isEmpty())
        m_options.choosePicture(chosen);
}
