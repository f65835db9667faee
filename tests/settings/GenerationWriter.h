#pragma once

#include "settings/DataIniFile.h"
#include "settings/SettingsFile.h"

#include <QString>
#include <QStringList>

// One round of the interrupted-write test's writer: rewrites the settings file (key "g" of "Prueba") or every
// section of the data file with the next generation number.
inline void writeNextGeneration(bool data, const QString &path)
{
    if (data) {
        DataIniFile ini(path);
        const QStringList sections = ini.readSections();
        const int generation = ini.readInteger(sections.value(0), QStringLiteral("g"), 0) + 1;
        for (const QString &section : sections)
            ini.writeInteger(section, QStringLiteral("g"), generation);
        ini.updateFile();
    } else {
        SettingsFile settings(path);
        settings.writeInteger(QStringLiteral("Prueba"), QStringLiteral("g"),
                              settings.readInteger(QStringLiteral("Prueba"), QStringLiteral("g"), 0) + 1);
    }
}
