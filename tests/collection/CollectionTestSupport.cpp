#include "CollectionTestSupport.h"

#include <QCryptographicHash>
#include <QFile>
#include <zip.h>
#include <zlib.h>

namespace {

quint32 datCrcOf(const DatRom &rom)
{
    return quint32(crc32(0, reinterpret_cast<const Bytef *>(rom.bytes.constData()), uInt(rom.bytes.size())));
}

QString datSha1Of(const DatRom &rom)
{
    return rom.sha1.isEmpty()
               ? QString::fromLatin1(QCryptographicHash::hash(rom.bytes, QCryptographicHash::Sha1).toHex())
               : rom.sha1;
}

QString datRomNameOf(const DatRom &rom)
{
    return rom.romName.isEmpty() ? rom.game + QStringLiteral(".gb") : rom.romName;
}

} // namespace

QByteArray datClrMame(const QString &name, const QList<DatRom> &roms)
{
    QString text = QStringLiteral("clrmamepro (\n\tname \"%1\"\n\tversion 20240101\n)\n\n").arg(name);
    for (const DatRom &rom : roms) {
        text += QStringLiteral("game (\n\tname \"%1\"\n\tdescription \"%1\"\n"
                               "\trom ( name \"%2\" size %3 crc %4 md5 00 sha1 %5 )\n)\n\n")
                    .arg(rom.game, datRomNameOf(rom), QString::number(rom.size < 0 ? rom.bytes.size() : rom.size),
                         QStringLiteral("%1").arg(datCrcOf(rom), 8, 16, QLatin1Char('0')).toUpper(), datSha1Of(rom));
    }
    return text.toUtf8();
}

QByteArray datXml(const QString &name, const QList<DatRom> &roms)
{
    QString xml = QStringLiteral("<?xml version=\"1.0\"?>\n"
                                 "<!DOCTYPE datafile PUBLIC \"-//Logiqx//DTD ROM Management Datafile//EN\" "
                                 "\"http://www.logiqx.com/Dats/datafile.dtd\">\n<datafile>\n"
                                 "\t<header>\n\t\t<name>%1</name>\n\t\t<version>20240101</version>\n\t</header>\n")
                      .arg(name.toHtmlEscaped());
    for (const DatRom &rom : roms) {
        const QString game = rom.game.toHtmlEscaped();
        xml += QStringLiteral("\t<game name=\"%1\">\n\t\t<description>%1</description>\n"
                              "\t\t<rom name=\"%5\" size=\"%2\" crc=\"%3\" sha1=\"%4\" status=\"verified\"/>\n"
                              "\t</game>\n")
                   .arg(game, QString::number(rom.size < 0 ? rom.bytes.size() : rom.size),
                        QStringLiteral("%1").arg(datCrcOf(rom), 8, 16, QLatin1Char('0')), datSha1Of(rom),
                        datRomNameOf(rom).toHtmlEscaped());
    }
    return (xml + QStringLiteral("</datafile>\n")).toUtf8();
}

void writeZip(const QString &path, const QList<std::pair<QString, QByteArray>> &members, bool stored)
{
    int error = 0;
    zip_t *archive = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    ASSERT_NE(archive, nullptr);
    // libzip reads the data when the archive is closed.
    for (const auto &[name, bytes] : members) {
        zip_source_t *source = zip_source_buffer(archive, bytes.constData(), zip_uint64_t(bytes.size()), 0);
        const zip_int64_t index = zip_file_add(archive, name.toUtf8().constData(), source, ZIP_FL_ENC_UTF_8);
        ASSERT_GE(index, 0);
        zip_set_file_compression(archive, zip_uint64_t(index), stored ? ZIP_CM_STORE : ZIP_CM_DEFLATE, 0);
    }
    ASSERT_EQ(zip_close(archive), 0);
}

QByteArray seededRom(int seed, int size)
{
    QByteArray rom = romImage(QByteArray("GAME ") + QByteArray::number(seed), size);
    for (int i = 0x150; i < size; i += 7)
        rom[i] = char((i * 31 + seed * 17) & 0xFF);
    quint8 header = 0;
    for (int i = 0x134; i <= 0x14C; ++i)
        header = quint8(header - quint8(rom[i]) - 1);
    rom[0x14D] = char(header);
    quint16 global = 0;
    for (int i = 0; i < size; ++i) {
        if (i != 0x14E && i != 0x14F)
            global = quint16(global + quint8(rom[i]));
    }
    rom[0x14E] = char(global >> 8);
    rom[0x14F] = char(global & 0xFF);
    return rom;
}

void CollectionTest::SetUp()
{
    BaseFolderTest::SetUp();
    makeFolder("roms");
}
