// The data INI class: any file loads into sections that follow the class's rules, and what is written back
// after a change loads again as exactly what was in memory.
#include "FuzzSupport.h"

#include "platform/ErrorHandler.h"
#include "platform/Messages.h"
#include "platform/TextEncoding.h"
#include "settings/DataIniFile.h"

#include <QFile>
#include <QList>
#include <utility>

namespace {

using Snapshot = QList<std::pair<QString, QStringList>>;

// Every section with its lines, and the rules every loaded file must follow.
Snapshot snapshot(const DataIniFile &ini)
{
    Snapshot sections;
    const QStringList names = ini.readSections();
    for (qsizetype i = 0; i < names.size(); ++i) {
        for (qsizetype j = 0; j < i; ++j)
            FUZZ_CHECK(names[i].compare(names[j], Qt::CaseInsensitive) != 0, names[i] + u'|' + names[j]);
        const QStringList lines = ini.readSectionValues(names[i]);
        for (const QString &line : lines) {
            FUZZ_CHECK(!line.isEmpty() && !line.contains(u'\r') && !line.contains(u'\n'), line);
            FUZZ_CHECK(line.toUcs4().size() <= DataIniFile::MaxLineLength, line);
            FUZZ_CHECK(!(line.startsWith(u'[') && line.endsWith(u']') && line.size() >= 2), line);
        }
        sections.append({names[i], lines});
    }
    return sections;
}

// The refusal the object repeats when it goes is said to nobody.
class SilentMessages : public MessageSink
{
public:
    void show(const QString &) override {}
    bool confirm(const QString &) override { return false; }
};

// What a write-back keeps: the sections that hold lines.
Snapshot withLines(const Snapshot &sections)
{
    Snapshot kept;
    for (const auto &section : sections) {
        if (!section.second.isEmpty())
            kept.append(section);
    }
    return kept;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static SilentMessages silent;
    setMessageSink(&silent);
    const QByteArray bytes = fuzzInput(data, size);
    const QString path = fuzzFolder() + QStringLiteral("/Titulos.ini");
    writeFuzzFile(path, bytes);

    // A value that fits Windows-1252 but whose bytes look like UTF-8, plain ASCII, and one beyond Windows-1252.
    const QString values[] = {QString::fromUtf8("Wei\xc3\x9f\xe2\x80\x9c"), QStringLiteral("1"),
                              QString::fromUtf8("\xe2\x9c\x93 \xf0\x9f\x8e\xae")};
    const QString value = values[size % 3];
    Snapshot inMemory;
    QString section;
    try {
        DataIniFile ini(path);
        const Snapshot loaded = snapshot(ini);
        section = loaded.isEmpty() ? QStringLiteral("Fuzz") : loaded.first().first;
        ini.writeString(section, QStringLiteral("Titulo"), value);
        // Text of which no section could be read is never written back: the file stays as it was.
        if (loaded.isEmpty() && TextEncoding::holdsText(TextEncoding::decode(bytes))) {
            bool refused = false;
            try {
                ini.updateFile();
            } catch (const CartlingError &) {
                refused = true;
            }
            QFile file(path);
            FUZZ_CHECK(refused && file.open(QIODevice::ReadOnly) && file.readAll() == bytes,
                       QString::fromLatin1(bytes.toHex()));
            return 0; // the object's own last write-back is refused as quietly

        }
        FUZZ_CHECK(ini.readString(section, QStringLiteral("Titulo"), QString()) == value, section);
        // Only a write-back drops the sections without lines; a write that changed nothing writes nothing.
        inMemory = ini.isModified() ? withLines(snapshot(ini)) : snapshot(ini);
        ini.updateFile();
    } catch (const CartlingError &error) {
        fuzzFailure(__FILE__, __LINE__, error.text());
    }
    try {
        const DataIniFile again(path);
        FUZZ_CHECK(snapshot(again) == inMemory, QString::fromLatin1(bytes.toHex()));
        FUZZ_CHECK(again.readString(section, QStringLiteral("Titulo"), QString()) == value, section);
    } catch (const CartlingError &error) {
        fuzzFailure(__FILE__, __LINE__, error.text());
    }
    return 0;
}
