#include "mainwindow/LaunchActions.h"

#include "app/Session.h"
#include "emulator/Launcher.h"
#include "platform/PathHelpers.h"
#include "settings/SettingsFile.h"

#include <QAction>
#include <QFileDialog>
#include <QTimer>
#include <QWidget>

LaunchActions::LaunchActions(QWidget &window, Session &session, QTimer &screenshotTimer)
    : QObject(&window), m_window(window), m_session(session), m_screenshotTimer(screenshotTimer)
{
}

void LaunchActions::launch(const QString &rom)
{
    Launcher launcher(m_session.configTemplate(),
                      {[this] { m_screenshotTimer.start(); }, [this] { m_session.prepareCheatsForLaunch(); }});
    if (const auto line = launcher.launch(rom)) {
        m_session.setCommandLinePreview(*line);
        emit launched(rom);
    }
}

void LaunchActions::launchSelected()
{
    if (const auto entry = m_session.selectedEntry())
        launch(entry->fullPath);
}

void LaunchActions::locateEmulator()
{
    const QString filter = QStringLiteral("Zibo (zibo zibo.exe);;Ejecutables (*.exe);;Todos los archivos (*)");
    const QString caption = m_window.findChild<QAction *>(QStringLiteral("BuscarZiboexe1"))->text();
    storeEmulatorPath(QFileDialog::getOpenFileName(&m_window, caption, QString(), filter));
}

void LaunchActions::storeEmulatorPath(const QString &file)
{
    if (file.isEmpty())
        return;
    SettingsFile settings;
    settings.write(Keys::Zibo, file);
    settings.write(Keys::Zibod, folderOf(file));
}
