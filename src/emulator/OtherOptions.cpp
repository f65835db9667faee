#include "emulator/OtherOptions.h"

#include "emulator/ConfigTemplate.h"
#include "platform/ErrorHandler.h"
#include "settings/SettingsFile.h"

#include <QDir>

namespace {

enum : int
{
    DelaySlot = 24,
    SyncSlot = 25,
    CrcSlot = 26,
    ModelSlot = 28,
    BackgroundSlot = 29,
};

QString modelLine(int model)
{
    switch (model) {
    case OtherOptions::ForceColor:
        return QStringLiteral("-cgb ");
    case OtherOptions::ForceNormal:
        return QStringLiteral("-gb ");
    case OtherOptions::ForceSuper:
        return QStringLiteral("-sgb ");
    default:
        return QStringLiteral(" ");
    }
}

QString backgroundLine(const QString &picture)
{
    return QStringLiteral("-bg ") + QDir::toNativeSeparators(picture);
}

} // namespace

OtherOptions::OtherOptions(ConfigTemplate &configTemplate) : m_template(configTemplate)
{
    m_store.beginStartup();
    runCreationSteps();
    m_store.endStartup();
}

void OtherOptions::runCreationSteps()
{
    const SettingsFile settings;
    // Each step is a handler of its own: an error it raises is shown and the next step goes on.
    const auto step = [](auto handler) { guarded(handler)(); };
    // 1. The switches; one that becomes ticked writes its line, one that stays cleared keeps the initial line.
    step([&] { setDelayRefresh(settings.read(Keys::Delay)); });
    step([&] { setDisableSync(settings.read(Keys::DisableSynk)); });
    step([&] { setCheckCrc(settings.read(Keys::CheckCrc)); });
    // 2. The compression boxes.
    step([&] { setLeaveOutFolders(settings.read(Keys::Subdir)); });
    step([&] { setDeleteRom(settings.read(Keys::DelRom)); });
    step([&] { setAskName(settings.read(Keys::AskZipName)); });
    // 3. The background box (its path is not loaded yet, so its line waits for step 6) and the title box.
    step([&] { setUseBackground(settings.read(Keys::Fondo)); });
    step([&] { setReplaceTitles(settings.read(Keys::SobTituls)); });
    // 4. Texts set from code run no handler.
    m_compression.level = settings.read(Keys::Nivel);
    m_picture = settings.read(Keys::FondoF);
    // 5. The model; any stored value but 2 to 4 leaves "Autodetectar" and the line as it is.
    step([&] { chooseModel(settings.read(Keys::GBmodos)); });
    // 6.
    if (m_useBackground && !m_picture.isEmpty() && fitsConfig(m_picture))
        m_template.replace(BackgroundSlot, backgroundLine(m_picture));
    else if (!m_useBackground || !fitsConfig(m_picture))
        m_template.replace(BackgroundSlot, QStringLiteral(" "));
}

void OtherOptions::setDelayRefresh(bool on)
{
    if (on == m_delay)
        return;
    m_delay = on;
    m_store.write(Keys::Delay, on);
    m_template.replace(DelaySlot, on ? QStringLiteral("-delay ") : QStringLiteral("-nodelay "));
}

void OtherOptions::setDisableSync(bool on)
{
    if (on == m_disableSync)
        return;
    m_disableSync = on;
    m_store.write(Keys::DisableSynk, on);
    m_template.replace(SyncSlot, on ? QStringLiteral("-ifreq 0") : QStringLiteral(" "));
}

void OtherOptions::setCheckCrc(bool on)
{
    if (on == m_checkCrc)
        return;
    m_checkCrc = on;
    m_store.write(Keys::CheckCrc, on);
    m_template.replace(CrcSlot, on ? QStringLiteral("-crc") : QStringLiteral("-nocrc"));
}

void OtherOptions::setLevel(const QString &text)
{
    if (text == m_compression.level)
        return;
    m_compression.level = text;
    m_store.write(Keys::Nivel, text);
}

void OtherOptions::setDeleteRom(bool on)
{
    if (on == m_compression.deleteRom)
        return;
    m_compression.deleteRom = on;
    m_store.write(Keys::DelRom, on);
}

void OtherOptions::setLeaveOutFolders(bool on)
{
    if (on == m_compression.junkDirectoryNames)
        return;
    m_compression.junkDirectoryNames = on;
    m_store.write(Keys::Subdir, on);
}

void OtherOptions::setAskName(bool on)
{
    if (on == m_compression.askName)
        return;
    m_compression.askName = on;
    m_store.write(Keys::AskZipName, on);
}

void OtherOptions::chooseModel(int model)
{
    if (model < Autodetect || model > ForceSuper || model == m_model)
        return;
    m_model = model;
    m_store.write(Keys::GBmodos, model);
    m_template.replace(ModelSlot, modelLine(model));
}

void OtherOptions::setUseBackground(bool on)
{
    if (on == m_useBackground)
        return;
    m_useBackground = on;
    writePictureSlot();
}

bool OtherOptions::choosePicture(const QString &path)
{
    if (refusedForConfig(path))
        return false;
    m_picture = path;
    m_store.write(Keys::FondoF, path);
    writePictureSlot();
    return true;
}

// The background box's handler, also run after a picture is chosen.
void OtherOptions::writePictureSlot()
{
    m_store.write(Keys::Fondo, m_useBackground);
    // A picture stored before Zibo.cfg refused such names is left out, as when the option is off.
    if (!m_useBackground || !fitsConfig(m_picture))
        m_template.replace(BackgroundSlot, QStringLiteral(" "));
    else if (m_picture.size() > 1)
        m_template.replace(BackgroundSlot, backgroundLine(m_picture));
}

void OtherOptions::setReplaceTitles(bool on)
{
    if (on == m_replaceTitles)
        return;
    m_replaceTitles = on;
    m_store.write(Keys::SobTituls, on);
}
