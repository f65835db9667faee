// A second Cartling for the concurrency test: writes `count` keys named prefix + number into one settings file.
#include "settings/SettingsFile.h"

#include <QString>

int main(int argc, char **argv)
{
    if (argc != 4)
        return 2;
    SettingsFile settings(QString::fromLocal8Bit(argv[1]));
    const QString prefix = QString::fromLocal8Bit(argv[2]);
    const int count = QString::fromLocal8Bit(argv[3]).toInt();
    for (int i = 0; i < count; ++i)
        settings.writeInteger(QStringLiteral("Prueba"), prefix + QString::number(i), i);
    return 0;
}
