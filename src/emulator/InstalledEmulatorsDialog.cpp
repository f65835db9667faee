#include "emulator/InstalledEmulatorsDialog.h"

#include "emulator/EmulatorText.h"
#include "emulator/OwnCommandEmulator.h"
#include "language/MessageTable.h"
#include "platform/AccessibleNames.h"
#include "platform/ErrorHandler.h"
#include "platform/Messages.h"
#include "settings/SettingsFile.h"

#include <QDir>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

// The program (and for a core, the core) an entry of the list stands for.
constexpr int ProgramRole = Qt::UserRole;
constexpr int CoreRole = Qt::UserRole + 1;

QString text(int index)
{
    return messageTable().text(index);
}

} // namespace

InstalledEmulatorsDialog::InstalledEmulatorsDialog(Store store, QWidget *parent, Finder finder, FileChooser chooseFile)
    : FormWindow("InstalledEmulatorsDialog", text(EmulatorText::InstalledEmulatorsCaption), parent),
      m_store(std::move(store)), m_finder(std::move(finder)), m_chooseFile(std::move(chooseFile))
{
    setModal(true);
    m_heading = named(new QLabel(this), "FoundHeading");
    m_list = named(new QTreeWidget(this), "EmulatorList");
    m_list->setColumnCount(2);
    m_list->setRootIsDecorated(true);
    m_list->setMinimumSize(560, 160);
    m_list->header()->setStretchLastSection(true);
    m_heading->setBuddy(m_list);
    m_heading->setWordWrap(true);
    m_noneFound = named(new QLabel(this), "NoneFound");
    m_noneFound->setWordWrap(true);
    m_use = named(new QPushButton(this), "UseEmulator");
    m_choose = named(new QPushButton(this), "ChooseProgram");
    m_close = named(new QPushButton(this), "CloseEmulators");

    auto *own = named(new QGroupBox(this), "OwnCommandGroup");
    m_ownProgram = named(new QLabel(own), "OwnCommandProgram");
    m_ownProgram->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_ownHint = named(new QLabel(own), "OwnCommandHint");
    m_ownHint->setWordWrap(true);
    m_ownCommand = named(new QLineEdit(own), "OwnCommandLine");
    m_ownHint->setBuddy(m_ownCommand);
    m_ownWarning = named(new QLabel(own), "OwnCommandWarning");
    m_ownWarning->setStyleSheet(QStringLiteral("color: #b00020"));
    m_saveOwn = named(new QPushButton(own), "SaveOwnCommand");
    AccessibleNames::nameAfter(m_ownCommand, own);

    auto *ownLayout = new QVBoxLayout(own);
    ownLayout->addWidget(m_ownProgram);
    ownLayout->addWidget(m_ownHint);
    auto *ownLine = new QHBoxLayout;
    ownLine->addWidget(m_ownCommand, 1);
    ownLine->addWidget(m_saveOwn);
    ownLayout->addLayout(ownLine);
    ownLayout->addWidget(m_ownWarning);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_use);
    buttons->addWidget(m_choose);
    buttons->addStretch(1);
    buttons->addWidget(m_close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_heading);
    layout->addWidget(m_list);
    layout->addWidget(m_noneFound);
    layout->addLayout(buttons);
    layout->addWidget(own);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_use, &QPushButton::clicked, this, guarded([this] { useChosen(); }));
    connect(m_list, &QTreeWidget::itemActivated, this, guarded([this] { useChosen(); }));
    connect(m_list, &QTreeWidget::currentItemChanged, this, [this] { m_use->setEnabled(m_list->currentItem()); });
    connect(m_choose, &QPushButton::clicked, this, guarded([this] { chooseProgram(); }));
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_ownCommand, &QLineEdit::textChanged, this, [this] { checkOwnCommand(); });
    connect(m_ownCommand, &QLineEdit::returnPressed, this, guarded([this] { saveOwnCommand(); }));
    connect(m_saveOwn, &QPushButton::clicked, this, guarded([this] { saveOwnCommand(); }));
    showTexts();
}

void InstalledEmulatorsDialog::showTexts()
{
    setWindowTitle(text(EmulatorText::InstalledEmulatorsCaption));
    m_heading->setText(text(EmulatorText::FoundHeading));
    m_list->setHeaderLabels({text(EmulatorText::KindColumn), text(EmulatorText::ProgramColumn)});
    m_noneFound->setText(text(EmulatorText::NoneFound));
    m_use->setText(text(EmulatorText::UseButton));
    m_choose->setText(text(EmulatorText::ChooseProgramButton));
    m_close->setText(text(EmulatorText::CloseButton));
    if (auto *own = findChild<QGroupBox *>(QStringLiteral("OwnCommandGroup")))
        own->setTitle(text(EmulatorText::OwnCommandGroup));
    m_ownHint->setText(text(EmulatorText::OwnCommandHint));
    m_saveOwn->setText(text(EmulatorText::SaveButton));
    m_ownWarning->setText(text(EmulatorText::UnbalancedQuote));
}

void InstalledEmulatorsDialog::showEvent(QShowEvent *event)
{
    showTexts();
    refresh();
    AccessibleNames::update(this);
    FormWindow::showEvent(event);
}

void InstalledEmulatorsDialog::refresh()
{
    m_list->clear();
    for (const InstalledEmulators::Found &found : m_finder()) {
        auto *item =
            new QTreeWidgetItem(m_list, {EmulatorKinds::name(found.kind), QDir::toNativeSeparators(found.program)});
        item->setData(0, ProgramRole, found.program);
        for (const QString &core : found.cores) {
            auto *child = new QTreeWidgetItem(item, {text(EmulatorText::CoreKind), QDir::toNativeSeparators(core)});
            child->setData(0, ProgramRole, found.program);
            child->setData(0, CoreRole, core);
        }
        item->setExpanded(true);
    }
    const bool any = m_list->topLevelItemCount() > 0;
    m_list->setVisible(any);
    m_heading->setVisible(any);
    m_noneFound->setVisible(!any);
    m_use->setVisible(any);
    if (any)
        m_list->setCurrentItem(m_list->topLevelItem(0));
    m_use->setEnabled(m_list->currentItem());
    m_list->resizeColumnToContents(0);
    (any ? static_cast<QWidget *>(m_list) : m_choose)->setFocus();
    m_use->setDefault(any);
    m_choose->setDefault(!any);

    const SettingsFile settings;
    const QString program = settings.read(Keys::Zibo);
    // The stored line serves only the program it was written for.
    m_ownCommand->setText(settings.read(Keys::OwnCommandProgram) == program ? settings.read(Keys::OwnCommandLine)
                                                                            : QString());
    m_ownProgram->setText(text(EmulatorText::ProgramLabel) + (program.isEmpty() ? text(EmulatorText::NoProgramStored)
                                                                                : QDir::toNativeSeparators(program)));
    checkOwnCommand();
}

void InstalledEmulatorsDialog::useChosen()
{
    const QTreeWidgetItem *item = m_list->currentItem();
    if (!item)
        return;
    const QString program = item->data(0, ProgramRole).toString();
    m_store(program);
    // A program chosen on its own takes the first core found at each launch.
    SettingsFile().write(Keys::RetroArchCore, item->data(0, CoreRole).toString());
    accept();
}

void InstalledEmulatorsDialog::chooseProgram()
{
    const QString program =
        m_chooseFile ? m_chooseFile() : QFileDialog::getOpenFileName(this, text(EmulatorText::ChooseProgramButton));
    if (program.isEmpty())
        return;
    m_store(program);
    accept();
}

void InstalledEmulatorsDialog::checkOwnCommand()
{
    const bool balanced = OwnCommandEmulator::quotesBalanced(m_ownCommand->text());
    m_ownWarning->setVisible(!balanced);
    m_saveOwn->setEnabled(balanced);
}

void InstalledEmulatorsDialog::saveOwnCommand()
{
    const QString commandTemplate = m_ownCommand->text().trimmed();
    const QString program = SettingsFile().read(Keys::Zibo);
    if (!OwnCommandEmulator::quotesBalanced(commandTemplate)) {
        showMessage(text(EmulatorText::UnbalancedQuote));
        return;
    }
    if (program.isEmpty() && !commandTemplate.isEmpty()) {
        showMessage(text(EmulatorText::NoProgramStored));
        return;
    }
    SettingsFile settings;
    settings.write(Keys::OwnCommandLine, commandTemplate);
    settings.write(Keys::OwnCommandProgram, commandTemplate.isEmpty() ? QString() : program);
}
