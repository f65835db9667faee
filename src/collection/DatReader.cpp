#include "collection/DatReader.h"

#include "archive/ZipMembers.h"
#include "collection/CollectionText.h"
#include "language/MessageTable.h"
#include "platform/PathHelpers.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QXmlStreamReader>

namespace DatReader {

namespace {

constexpr qsizetype MaxGameName = 1024;

[[noreturn]] void notReadable(const QString &path, qint64 line)
{
    throw DatError(DatError::Kind::NotReadable, path, line, {});
}

[[noreturn]] void tooLarge(const QString &path, const Limits &limits)
{
    throw DatError(DatError::Kind::TooLarge, path, 0, limits);
}

// Hexadecimal digits into a number of up to 64 bits; false for anything else.
bool parseHex(QStringView text, quint64 &value, qsizetype maxDigits)
{
    if (text.isEmpty() || text.size() > maxDigits)
        return false;
    value = 0;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        int digit;
        if (u >= u'0' && u <= u'9')
            digit = u - u'0';
        else if (u >= u'a' && u <= u'f')
            digit = u - u'a' + 10;
        else if (u >= u'A' && u <= u'F')
            digit = u - u'A' + 10;
        else
            return false;
        value = value << 4 | quint64(digit);
    }
    return true;
}

bool parseSha1(QStringView text, std::array<unsigned char, 20> &sha1)
{
    if (text.size() != 40)
        return false;
    for (int i = 0; i < 20; ++i) {
        quint64 byte = 0;
        if (!parseHex(text.sliced(2 * i, 2), byte, 2))
            return false;
        sha1[size_t(i)] = static_cast<unsigned char>(byte);
    }
    return true;
}

// A ROM entry by its attributes. One without a usable CRC cannot be looked up and is left out; a size or SHA-1
// that is not a number is taken as not given, so it never decides a match.
std::optional<DatIndex::Rom> romOf(const QXmlStreamAttributes &attributes)
{
    DatIndex::Rom rom;
    quint64 crc = 0;
    if (!parseHex(attributes.value(QLatin1String("crc")), crc, 8))
        return std::nullopt;
    rom.crc = quint32(crc);
    bool ok = false;
    const qint64 size = attributes.value(QLatin1String("size")).toLongLong(&ok);
    if (ok && size >= 0) {
        rom.size = size;
        rom.flags |= DatIndex::Rom::HasSize;
    }
    if (parseSha1(attributes.value(QLatin1String("sha1")), rom.sha1))
        rom.flags |= DatIndex::Rom::HasSha1;
    return rom;
}

// A ZIP archive holding the DAT: its one member, or its one member named .dat or .xml.
QByteArray datInArchive(const QString &path, const Limits &limits)
{
    const auto members = ZipMembers::list(path);
    if (!members)
        notReadable(path, 0);
    QList<ZipMembers::Member> dats;
    for (const ZipMembers::Member &member : *members) {
        const QString extension = extensionOf(member.name).toLower();
        if (members->size() == 1 || extension == u"dat" || extension == u"xml")
            dats.append(member);
    }
    if (dats.size() != 1)
        notReadable(path, 0);
    if (dats.first().size > limits.maxBytes)
        tooLarge(path, limits);
    const auto bytes = ZipMembers::readAll(path, dats.first(), limits.maxBytes);
    if (!bytes)
        notReadable(path, 0);
    return *bytes;
}

bool startsLikeZip(QFile &file)
{
    const QByteArray start = file.peek(4);
    return start == QByteArray("PK\x03\x04", 4) || start == QByteArray("PK\x05\x06", 4);
}

} // namespace

QString DatError::message() const
{
    const QString file = QDir::toNativeSeparators(m_path);
    if (m_kind == Kind::TooLarge)
        return messageTable()
            .text(CollectionText::DatTooLarge)
            .arg(file, QString::number(m_limits.maxRoms), QString::number(m_limits.maxBytes >> 20));
    // The line where the XML went wrong, as compilers name it.
    return messageTable()
        .text(CollectionText::DatNotReadable)
        .arg(m_line > 0 ? file + u':' + QString::number(m_line) : file);
}

DatIndex read(QIODevice &device, const QString &path, const Limits &limits)
{
    QXmlStreamReader xml(&device);
    DatIndex::Builder builder;
    int depth = 0;
    bool inGame = false;
    bool inHeader = false;
    bool gameHasRoms = false;
    QString gameName;
    while (!xml.atEnd()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::DTD:
            // Logiqx DATs name their document type and declare nothing: an entity here can only be a trick.
            if (!xml.entityDeclarations().isEmpty() || !xml.notationDeclarations().isEmpty())
                notReadable(path, xml.lineNumber());
            break;
        case QXmlStreamReader::EntityReference:
            notReadable(path, xml.lineNumber());
        case QXmlStreamReader::StartElement: {
            ++depth;
            const QStringView name = xml.name();
            if (depth == 1) {
                if (name != u"datafile")
                    notReadable(path, xml.lineNumber());
            } else if (depth == 2) {
                inHeader = name == u"header";
                inGame = name == u"game" || name == u"machine";
                if (inGame) {
                    // No file name is this long; a longer one is a trick to fill the memory.
                    gameName = xml.attributes().value(QLatin1String("name")).left(MaxGameName).toString();
                    gameHasRoms = false;
                }
            } else if (depth == 3 && inHeader && name == u"name") {
                builder.setName(xml.readElementText(QXmlStreamReader::SkipChildElements).left(256));
                --depth;
            } else if (depth == 3 && inGame && name == u"rom") {
                const auto rom = romOf(xml.attributes());
                if (!rom)
                    break;
                if (!gameHasRoms) {
                    builder.addGame(gameName);
                    gameHasRoms = true;
                }
                builder.addRom(*rom);
                if (builder.romCount() > limits.maxRoms || builder.nameBytes() > limits.maxNameBytes)
                    tooLarge(path, limits);
            }
            break;
        }
        case QXmlStreamReader::EndElement:
            if (--depth == 1)
                inGame = inHeader = false;
            break;
        default:
            break;
        }
    }
    if (xml.hasError())
        notReadable(path, xml.lineNumber());
    return builder.finish();
}

DatIndex read(const QString &path, const Limits &limits)
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        notReadable(path, 0);
    if (startsLikeZip(file)) {
        file.close();
        QByteArray bytes = datInArchive(path, limits);
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        return read(buffer, path, limits);
    }
    if (file.size() > limits.maxBytes)
        tooLarge(path, limits);
    return read(file, path, limits);
}

} // namespace DatReader
