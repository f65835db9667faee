#include "emulator/RetroArchCheats.h"

#include "emulator/RetroArchConfig.h"

#include <QFileInfo>

namespace RetroArchCheats {

QByteArray file(const CodeSet &rows, const QString &unnamed)
{
    RetroArchConfig::Entries cheats;
    int count = 0;
    for (int n = 1; n <= int(rows.size()); ++n) {
        const CodeRow &row = rows[n - 1];
        const QString code = RetroArchConfig::plainValue(row.code).simplified();
        if (code.isEmpty())
            continue;
        QString name = RetroArchConfig::plainValue(row.description).simplified();
        if (name.isEmpty())
            name = unnamed + QString::number(n);
        const QString cheat = QStringLiteral("cheat%1_").arg(count++);
        cheats.append({cheat + QStringLiteral("desc"), name});
        cheats.append({cheat + QStringLiteral("code"), code});
        cheats.append(
            {cheat + QStringLiteral("enable"), row.active ? QStringLiteral("true") : QStringLiteral("false")});
    }
    cheats.prepend({QStringLiteral("cheats"), QString::number(count)});
    return RetroArchConfig::format(cheats);
}

QString path(const QString &cheatsFolder, const QString &library, const QString &rom)
{
    const QFileInfo file(rom);
    const QString stem = file.suffix().isEmpty() ? file.fileName() : file.completeBaseName();
    return cheatsFolder + u'/' + library + u'/' + stem + QStringLiteral(".cht");
}

} // namespace RetroArchCheats
