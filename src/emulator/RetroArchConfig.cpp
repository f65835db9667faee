#include "emulator/RetroArchConfig.h"

#include "platform/PathHelpers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace RetroArchConfig {

QHash<QString, QString> parse(const QByteArray &text)
{
    QHash<QString, QString> entries;
    for (const QByteArray &rawLine : text.split('\n')) {
        const QByteArray line = rawLine.trimmed();
        const qsizetype equals = line.indexOf('=');
        if (line.isEmpty() || line.startsWith('#') || equals <= 0)
            continue;
        QByteArray value = line.mid(equals + 1).trimmed();
        if (value.startsWith('"')) {
            const qsizetype close = value.indexOf('"', 1);
            value = close < 0 ? value.mid(1) : value.mid(1, close - 1);
        }
        entries.insert(QString::fromUtf8(line.left(equals).trimmed()), QString::fromUtf8(value));
    }
    return entries;
}

QHash<QString, QString> read(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return parse(file.readAll());
}

QString plainValue(const QString &value)
{
    QString plain = value;
    for (QChar &c : plain) {
        if (c == u'"')
            c = u'\'';
        else if (c.category() == QChar::Other_Control || c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
            c = u' ';
    }
    return plain;
}

QByteArray format(const Entries &entries)
{
    QByteArray text;
    for (const auto &[key, value] : entries)
        text += key.toUtf8() + " = \"" + plainValue(value).toUtf8() + "\"\n";
    return text;
}

QString expandedPath(const QString &value)
{
    if (value == u"~" || value.startsWith(QStringLiteral("~/")))
        return QDir::homePath() + value.mid(1);
    return value;
}

QString userConfigFolder(bool flatpak)
{
    const QString home = QDir::homePath();
    if (flatpak)
        return home + QStringLiteral("/.var/app/org.libretro.RetroArch/config/retroarch");
    const QString configHome = qEnvironmentVariable("XDG_CONFIG_HOME");
    return (QDir::isAbsolutePath(configHome) ? configHome : home + QStringLiteral("/.config")) +
           QStringLiteral("/retroarch");
}

QString userConfigFile(bool flatpak)
{
    const QString file = userConfigFolder(flatpak) + QStringLiteral("/retroarch.cfg");
    const QString dotFile = QDir::homePath() + QStringLiteral("/.retroarch.cfg");
    return !flatpak && !QFileInfo(file).isFile() && QFileInfo(dotFile).isFile() ? dotFile : file;
}

} // namespace RetroArchConfig
