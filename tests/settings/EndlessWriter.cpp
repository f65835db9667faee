// A Cartling that is killed while it writes: rewrites one large settings or data file over and over, each
// time with the next generation number, and says "written" once the first write is done.
#include "settings/DataIniFile.h"
#include "settings/SettingsFile.h"

#include <QString>
#include <cstdio>
#include <cstring>

int main(int argc, char **argv)
{
    if (argc != 3)
        return 2;
    const QString path = QString::fromLocal8Bit(argv[2]);
    const bool data = std::strcmp(argv[1], "data") == 0;
    for (bool first = true;; first = false) {
        if (data) {
            DataIniFile ini(path);
            const QStringList sections = ini.readSections();
            const int generation = ini.readInteger(sections.value(0), QStringLiteral("g"), 0) + 1;
            for (const QString &section : sections)
                ini.writeInteger(section, QStringLiteral("g"), generation);
            ini.updateFile();
        } else {
            SettingsFile settings(path);
            const int generation = settings.readInteger(QStringLiteral("Prueba"), QStringLiteral("g"), 0) + 1;
            settings.writeInteger(QStringLiteral("Prueba"), QStringLiteral("g"), generation);
        }
        if (first) {
            std::puts("written");
            std::fflush(stdout);
        }
    }
}
