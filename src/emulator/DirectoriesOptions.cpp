#include "emulator/DirectoriesOptions.h"

#include "emulator/ConfigTemplate.h"
#include "platform/ErrorHandler.h"
#include "settings/SettingsFile.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace {

struct FolderKeys
{
    BoolKey option;
    StringKey folder;
    int slot;
    const char *prefix;
    const char *caption;
};

const FolderKeys &keysOf(DirectoriesOptions::Folder folder)
{
    static const FolderKeys keys[] = {
        {Keys::Rtsdir, Keys::Rts, 50, "-rtsdir ", "Rtsdir"},
        {Keys::Savedir, Keys::Save, 51, "-savdir ", "Savedir"},
    };
    return keys[folder];
}

bool isFolder(const QString &text)
{
    return !text.isEmpty() && QFileInfo(text).isDir();
}

constexpr int MinQuality = 1;
constexpr int MaxQuality = 100;

} // namespace

DirectoriesOptions::DirectoriesOptions(ConfigTemplate &configTemplate) : m_template(configTemplate)
{
    m_store.beginStartup();
    const SettingsFile settings;
    // Each step is a handler of its own: an error it raises is shown and the next step goes on.
    const auto step = [](auto handler) { guarded(handler)(); };
    // 1. A folder box that becomes ticked writes a line with the still empty picker text; step 5 replaces it.
    step([&] { setFolderOption(Rts, settings.read(Keys::Rtsdir)); });
    step([&] { setFolderOption(Save, settings.read(Keys::Savedir)); });
    step([&] { setJpeg(settings.read(Keys::Comjpg)); });
    step([&] { setDeleteBitmaps(settings.read(Keys::Bbmp)); });
    // 2. A value set from code runs no handler; the spin box holds it to its range.
    m_shots.quality = std::clamp(settings.read(Keys::Quality), MinQuality, MaxQuality);
    // 3.
    if (!m_shots.convertToJpeg) {
        m_deleteBitmapsEnabled = false;
        step([&] { setDeleteBitmaps(false); });
    }
    m_store.endStartup();
    // 4. A folder that is gone switches its option off, and this write is a real one.
    for (Folder folder : {Rts, Save}) {
        m_folders[folder].text = settings.read(keysOf(folder).folder);
        if (!isFolder(m_folders[folder].text))
            step([&] { setFolderOption(folder, false); });
    }
    // 5.
    for (Folder folder : {Rts, Save}) {
        if (m_folders[folder].on)
            writeFolderSlot(folder);
        else
            m_template.replace(keysOf(folder).slot, QString());
    }
}

QString DirectoriesOptions::browseCaption(Folder folder)
{
    return QString::fromLatin1(keysOf(folder).caption);
}

void DirectoriesOptions::setFolderOption(Folder folder, bool on)
{
    FolderState &state = m_folders[folder];
    if (on == state.on)
        return;
    state.on = on;
    m_store.write(keysOf(folder).option, on);
    if (on)
        writeFolderSlot(folder);
    else
        m_template.replace(keysOf(folder).slot, QString());
}

void DirectoriesOptions::writeFolderSlot(Folder folder)
{
    // A folder stored before Zibo.cfg refused such names is left out, as when the option is off.
    if (!fitsConfig(m_folders[folder].text)) {
        m_template.replace(keysOf(folder).slot, QString());
        return;
    }
    // One separator is added even when the text ends in one: the emulator is given exactly this.
    m_template.replace(keysOf(folder).slot, QLatin1String(keysOf(folder).prefix) +
                                                QDir::toNativeSeparators(m_folders[folder].text) + QDir::separator());
}

void DirectoriesOptions::setFolderText(Folder folder, const QString &text)
{
    m_folders[folder].text = text;
}

bool DirectoriesOptions::pickFolder(Folder folder, const QString &path)
{
    if (refusedForConfig(path))
        return false;
    m_folders[folder].text = path;
    if (isFolder(path))
        m_store.write(keysOf(folder).folder, path);
    return true;
}

void DirectoriesOptions::reloadFolders()
{
    const SettingsFile settings;
    for (Folder folder : {Rts, Save})
        m_folders[folder].text = settings.read(keysOf(folder).folder);
}

void DirectoriesOptions::setJpeg(bool on)
{
    if (on == m_shots.convertToJpeg)
        return;
    m_shots.convertToJpeg = on;
    m_store.write(Keys::Comjpg, on);
    m_deleteBitmapsEnabled = on;
    if (!on)
        setDeleteBitmaps(false);
}

void DirectoriesOptions::setDeleteBitmaps(bool on)
{
    if (on == m_shots.deleteBitmap)
        return;
    m_shots.deleteBitmap = on;
    m_store.write(Keys::Bbmp, on);
}

void DirectoriesOptions::setQuality(int quality)
{
    quality = std::clamp(quality, MinQuality, MaxQuality);
    if (quality == m_shots.quality)
        return;
    m_shots.quality = quality;
    m_store.write(Keys::Quality, quality);
}
