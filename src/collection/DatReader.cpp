#include "collection/DatReader.h"

#include "archive/ZipMembers.h"
#include "collection/ClrMameReader.h"
#include "collection/CollectionText.h"
#include "collection/DatFields.h"
#include "language/MessageTable.h"
#include "platform/PathHelpers.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QXmlStreamReader>

namespace DatReader {

namespace {

[[noreturn]] void notReadable(const QString &path, qint64 line)
{
    throw DatError(DatError::Kind::NotReadable, path, line, {});
}

[[noreturn]] void tooLarge(const QString &path, const Limits &limits)
{
    throw DatError(DatError::Kind::TooLarge, path, 0, limits);
}

std::optional<DatIndex::Rom> romOf(const QXmlStreamAttributes &attributes)
{
    return DatFields::romOf(attributes.value(QLatin1String("crc")), attributes.value(QLatin1String("size")),
                            attributes.value(QLatin1String("sha1")));
}

DatIndex readXml(QIODevice &device, const QString &path, const Limits &limits);

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

namespace {

DatIndex readXml(QIODevice &device, const QString &path, const Limits &limits)
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
                    gameName = xml.attributes().value(QLatin1String("name")).left(DatFields::MaxName).toString();
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
                builder.addRom(*rom, xml.attributes().value(QLatin1String("name")).left(DatFields::MaxName));
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

} // namespace

DatIndex read(QIODevice &device, const QString &path, const Limits &limits)
{
    // The form is told by the content: libretro's DATs are clrmamepro text whatever their extension.
    if (!ClrMameReader::looksLike(device.peek(4096)))
        return readXml(device, path, limits);
    const QByteArray text = device.read(limits.maxBytes + 1);
    if (text.size() > limits.maxBytes)
        tooLarge(path, limits);
    return ClrMameReader::read(text, path, limits);
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
