#include "emulator/OptionStore.h"

#include "language/MessageTable.h"
#include "language/SafetyTexts.h"
#include "platform/Messages.h"
#include "platform/TextEncoding.h"
#include "settings/SettingsFile.h"

#include <QDir>

void OptionStore::write(const BoolKey &key, bool value)
{
    SettingsFile settings;
    if (m_starting && settings.read(key) == value)
        return;
    settings.write(key, value);
}

void OptionStore::write(const IntKey &key, int value)
{
    SettingsFile settings;
    if (m_starting && settings.read(key) == value)
        return;
    settings.write(key, value);
}

void OptionStore::write(const StringKey &key, const QString &value)
{
    SettingsFile settings;
    if (m_starting && settings.read(key) == value)
        return;
    settings.write(key, value);
}

bool fitsConfig(const QString &path)
{
    return !path.contains(u'\n') && !path.contains(u'\r') && TextEncoding::fitsWindows1252(path);
}

bool refusedForConfig(const QString &path)
{
    if (fitsConfig(path))
        return false;
    if (!path.contains(u'\n') && !path.contains(u'\r')) {
        showMessage(messageTable().text(SafetyText::NameNotForEmulator).arg(QDir::toNativeSeparators(path)));
        return true;
    }
    QString shown = QDir::toNativeSeparators(path);
    shown.replace(u'\r', u' ').replace(u'\n', u' ');
    showMessage(QStringLiteral("No se puede usar \"%1\": su nombre contiene un salto de línea, que partiría su "
                               "opción de Zibo.cfg en dos líneas. Elija otro.")
                    .arg(shown));
    return true;
}
