#include "mainwindow/ScreenshotActions.h"

#include "app/Session.h"
#include "emulator/EmulatorRuns.h"
#include "mainwindow/MainMenus.h"
#include "mainwindow/Windows.h"
#include "platform/ErrorHandler.h"
#include "platform/FileLookup.h"
#include "platform/FormWindow.h"
#include "screenshots/PictureLookup.h"
#include "screenshots/PictureViewer.h"
#include "screenshots/ScreenshotPlaces.h"
#include "settings/BaseFolder.h"
#include "settings/SettingsFile.h"

#include <QAction>
#include <QTimer>

ScreenshotActions::ScreenshotActions(QObject *owner, Session &session, MainMenus &menus, Windows &windows)
    : QObject(owner), m_session(session), m_menus(menus), m_windows(windows)
{
    m_timer = named(new QTimer(owner), "Timer1");
    m_timer->setInterval(700);
    connect(m_timer, &QTimer::timeout, this, guarded([this] { collectScreenshot(); }));
    connect(&emulatorRuns(), &EmulatorRuns::ended, this,
            [this](const QString &rom) { m_harvest.launches().ended(rom); });
}

void ScreenshotActions::emulatorLaunched(const QString &rom, EmulatorKind shotKind, const QDateTime &at)
{
    m_harvest.launches().add(rom, shotKind, at);
}

void ScreenshotActions::collectScreenshot()
{
    const auto entry = m_session.selectedEntry();
    const ScreenshotOptions options = m_options ? m_options() : ScreenshotOptions::fromSettings(SettingsFile());
    const auto result = m_harvest.step(m_menus.item("ss")->isChecked(), entry ? entry->fullPath : QString(), options);
    if (result.pictureChanged()) {
        loadSelectedPicture();
        emit shotFiled();
    }
    // An emulator whose end cannot be seen counts as running, so the watch then goes on as it always did.
    if (result.settled && m_harvest.launches().allEnded()) {
        m_timer->stop();
        m_harvest.launches().clear();
    }
}

void ScreenshotActions::switchClicked()
{
    const QString emulator = ScreenshotPlaces::emulatorFolder(SettingsFile());
    ScreenshotPlaces::discardLeftover(ScreenshotPlaces::all(BaseFolder::path(), emulator));
    const bool on = m_menus.item("ss")->isChecked();
    SettingsFile().write(Keys::Shoots, on); // a refused write leaves the marker and the viewer as they are
    m_menus.setScreenshotSwitch(on);
    if (m_windows.pictureViewer)
        m_windows.pictureViewer->setVisible(on);
}

void ScreenshotActions::restoreSwitch()
{
    const bool on = SettingsFile().read(Keys::Shoots);
    m_menus.setScreenshotSwitch(on);
    if (on && m_windows.pictureViewer)
        m_windows.pictureViewer->show();
}

void ScreenshotActions::loadSelectedPicture()
{
    const auto entry = m_session.selectedEntry();
    if (!entry || !m_windows.pictureViewer)
        return;
    if (const auto picture = PictureLookup::gamePicture(BaseFolder::path(), entry->fullPath))
        m_windows.pictureViewer->showPicture(picture->image);
}

void ScreenshotActions::showDefaultPicture()
{
    const QString picture = FileLookup::find(BaseFolder::path(), QStringLiteral("ctg.jpg"));
    if (m_windows.pictureViewer && !picture.isEmpty())
        m_windows.pictureViewer->loadPicture(picture);
}
