#include "mainwindow/LaunchActions.h"

#include "app/Session.h"
#include "emulator/EmulatorText.h"
#include "emulator/InstalledEmulatorsDialog.h"
#include "emulator/Launcher.h"
#include "mainwindow/MainMenus.h"
#include "mainwindow/ScreenshotActions.h"
#include "platform/ErrorHandler.h"
#include "platform/PathHelpers.h"
#include "platform/Places.h"
#include "settings/SettingsFile.h"

#include <QAction>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QTimer>
#include <QWidget>

LaunchActions::LaunchActions(QWidget &window, Session &session, ScreenshotActions &screenshots, MainMenus &menus)
    : QObject(&window), m_window(window), m_session(session), m_screenshots(screenshots)
{
    QMenu *file = menus.menu("AHMMenuItem1");
    const QList<QAction *> items = file->actions();
    const qsizetype locate = items.indexOf(menus.item("BuscarZiboexe1"));
    QAction *installed = menus.addFeatureItem(file, "EmuladoresInstalados1", EmulatorText::InstalledEmulatorsItem, {},
                                              items.value(locate + 1));
    connect(installed, &QAction::triggered, this, guarded([this] { showInstalledEmulators(); }));
}

void LaunchActions::launch(const QString &rom)
{
    Launcher launcher(m_session.configTemplate(),
                      {[this] { m_screenshots.timer()->start(); }, [this] { m_session.prepareCheatsForLaunch(); },
                       [this]() -> std::optional<CodeSet> {
                           if (!m_session.cheatsOn())
                               return std::nullopt;
                           return m_session.codes().rows();
                       },
                       nullptr,
                       [this](const QString &rom, EmulatorKind shotKind, const QDateTime &at) {
                           m_screenshots.emulatorLaunched(rom, shotKind, at);
                       },
                       [this](const QList<CodeChoice> &choices, const QDateTime &savedAt) {
                           m_session.takeCheatChoices(choices, savedAt);
                       },
                       m_beforeStart});
    if (const auto line = launcher.launch(rom))
        m_session.setCommandLinePreview(*line);
}

void LaunchActions::launchSelected()
{
    const auto entry = m_session.selectedEntry();
    if (!entry)
        return;
    if (!emulatorSet())
        showInstalledEmulators();
    else
        launch(entry->fullPath);
}

void LaunchActions::startPressed()
{
    if (!emulatorSet() && m_session.romList().count() > 0)
        showInstalledEmulators();
    else
        launchSelected();
}

bool LaunchActions::emulatorSet()
{
    // Without a stored program the launch takes the default one from the current folder, the ROM folder.
    return !SettingsFile().read(Keys::Zibo).isEmpty() || QFileInfo(Places::defaultEmulatorName()).isFile();
}

void LaunchActions::locateEmulator()
{
    const QString filter = QStringLiteral("Zibo (zibo zibo.exe);;Ejecutables (*.exe);;Todos los archivos (*)");
    const QString caption = m_window.findChild<QAction *>(QStringLiteral("BuscarZiboexe1"))->text();
    storeEmulatorPath(QFileDialog::getOpenFileName(&m_window, caption, QString(), filter));
    emit emulatorChosen();
}

void LaunchActions::storeEmulatorPath(const QString &file)
{
    if (file.isEmpty())
        return;
    SettingsFile settings;
    settings.write(Keys::Zibo, file);
    settings.write(Keys::Zibod, folderOf(file));
}

void LaunchActions::showInstalledEmulators()
{
    if (!m_installed)
        m_installed = new InstalledEmulatorsDialog(&LaunchActions::storeEmulatorPath, &m_window);
    m_installed->exec();
    emit emulatorChosen();
}
