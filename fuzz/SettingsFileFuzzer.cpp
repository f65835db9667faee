// The settings file: any file reads without harm, and a write changes the value written and nothing else:
// every other key reads as before, whatever encoding the file had.
#include "FuzzSupport.h"

#include "platform/ErrorHandler.h"
#include "platform/TextEncoding.h"
#include "settings/SettingsFile.h"

#include <QFile>
#include <QList>

namespace {

struct Entry
{
    QString section;
    QString key;
};

bool sameName(const QString &a, const QString &b)
{
    return a.trimmed().compare(b.trimmed(), Qt::CaseInsensitive) == 0;
}

// Up to 32 section and key names as the file holds them: "[section]" lines and "key=value" lines after them.
QList<Entry> entriesOf(const QByteArray &bytes)
{
    QList<Entry> entries;
    QString section;
    bool inSection = false;
    for (const QString &line : TextEncoding::splitLines(TextEncoding::decode(bytes))) {
        const QString trimmed = line.trimmed();
        if (trimmed.startsWith(u'[') && trimmed.indexOf(u']') > 0) {
            section = trimmed.mid(1, trimmed.indexOf(u']') - 1);
            inSection = true;
        } else if (inSection && line.contains(u'=') && entries.size() < 32) {
            entries.append({section, line.left(line.indexOf(u'='))});
        }
    }
    return entries;
}

// Text of which not one line reads as a section header: a write must leave such a file alone.
bool nothingReadable(const QByteArray &bytes)
{
    const QString text = TextEncoding::decode(bytes);
    for (const QString &line : TextEncoding::splitLines(text)) {
        if (line.trimmed().startsWith(u'[') && line.contains(u']'))
            return false;
    }
    return TextEncoding::holdsText(text);
}

QStringList readAll(const SettingsFile &settings, const QList<Entry> &entries)
{
    QStringList values;
    for (const Entry &entry : entries)
        values.append(settings.readString(entry.section, entry.key, QStringLiteral("\x01missing")));
    return values;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = fuzzInput(data, size);
    const QString path = fuzzFolder() + QStringLiteral("/Cartling.ini");
    writeFuzzFile(path, bytes);

    SettingsFile settings(path);
    QList<Entry> entries = entriesOf(bytes);
    // A key of the file's first section changed, and a new key added to its last one (or a new section).
    const Entry changed = entries.isEmpty() ? Entry{QStringLiteral("Video"), QStringLiteral("Color")} : entries.first();
    const Entry added{entries.isEmpty() ? QStringLiteral("Directorios") : entries.last().section,
                      QStringLiteral("Roms")};
    entries.append({changed, added});
    const QStringList before = readAll(settings, entries);
    settings.readInteger(changed.section, changed.key, 0);

    // Values that fit Windows-1252 but whose bytes would read as UTF-8, and one beyond Windows-1252.
    const QString first = QString::fromUtf8("Wei\xc3\x9f\xe2\x80\x9c");
    const QString second = size % 2 ? QString::fromUtf8("/juegos/Pok\xc3\xa9mon") : QString::fromUtf8("\xe2\x9c\x93");
    if (nothingReadable(bytes)) {
        bool refused = false;
        try {
            settings.writeString(changed.section, changed.key, first);
        } catch (const CartlingError &) {
            refused = true;
        }
        QFile file(path);
        FUZZ_CHECK(refused && file.open(QIODevice::ReadOnly) && file.readAll() == bytes,
                   QString::fromLatin1(bytes.toHex()));
        return 0;
    }
    try {
        settings.writeString(changed.section, changed.key, first);
        settings.writeString(added.section, added.key, second);
    } catch (const CartlingError &error) {
        fuzzFailure(__FILE__, __LINE__, error.text());
    }

    const QStringList after = readAll(settings, entries);
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const Entry &entry = entries[i];
        QString expected = before[i];
        if (sameName(entry.section, added.section) && sameName(entry.key, added.key))
            expected = second;
        else if (sameName(entry.section, changed.section) && sameName(entry.key, changed.key))
            expected = first;
        FUZZ_CHECK(after[i] == expected,
                   QStringLiteral("[%1] %2: \"%3\" became \"%4\" in %5")
                       .arg(entry.section, entry.key, before[i], after[i], QString::fromLatin1(bytes.toHex())));
    }
    return 0;
}
