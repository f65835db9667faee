#include "collection/CartridgeHeader.h"

#include "archive/ZipMembers.h"
#include "collection/CollectionText.h"
#include "collection/RomHashing.h"
#include "language/MessageTable.h"
#include "platform/PathHelpers.h"

#include <QFile>
#include <QFileInfo>

namespace {

QString hex(unsigned value, int digits)
{
    return QStringLiteral("0x") + QString::number(value, 16).rightJustified(digits, u'0').toUpper();
}

QString checksumText(unsigned stored, unsigned computed, int digits)
{
    const MessageTable &texts = messageTable();
    if (stored == computed)
        return texts.text(CollectionText::ChecksumGood).arg(hex(stored, digits));
    return texts.text(CollectionText::ChecksumBad).arg(hex(stored, digits), hex(computed, digits));
}

QString kib(qint64 bytes)
{
    if (bytes >= 1024 * 1024 && bytes % (1024 * 1024) == 0)
        return QStringLiteral("%1 MiB").arg(bytes / (1024 * 1024));
    return QStringLiteral("%1 KiB").arg(bytes / 1024);
}

} // namespace

std::optional<CartridgeHeader> CartridgeHeader::of(const QByteArray &rom)
{
    if (rom.size() < Size)
        return std::nullopt;
    const auto byte = [&rom](qsizetype i) { return static_cast<quint8>(rom[i]); };
    CartridgeHeader header;
    quint8 sum = 0;
    for (qsizetype i = 0x134; i <= 0x14C; ++i)
        sum = quint8(sum - byte(i) - 1);
    header.computedHeaderChecksum = sum;
    header.headerChecksum = byte(0x14D);
    header.globalChecksum = quint16(byte(0x14E) << 8 | byte(0x14F));
    quint16 global = 0;
    const auto *data = reinterpret_cast<const unsigned char *>(rom.constData());
    for (qsizetype i = 0; i < rom.size(); ++i)
        global = quint16(global + data[i]);
    header.computedGlobalChecksum = quint16(global - byte(0x14E) - byte(0x14F));
    header.cartridgeType = byte(0x147);
    header.romSizeCode = byte(0x148);
    header.ramSizeCode = byte(0x149);
    header.colorFlag = byte(0x143);
    header.superGameBoyFlag = byte(0x146);
    return header;
}

QString CartridgeHeader::cartridgeTypeName() const
{
    switch (cartridgeType) {
    case 0x00:
        return QStringLiteral("ROM ONLY");
    case 0x01:
        return QStringLiteral("MBC1");
    case 0x02:
        return QStringLiteral("MBC1+RAM");
    case 0x03:
        return QStringLiteral("MBC1+RAM+BATTERY");
    case 0x05:
        return QStringLiteral("MBC2");
    case 0x06:
        return QStringLiteral("MBC2+BATTERY");
    case 0x08:
        return QStringLiteral("ROM+RAM");
    case 0x09:
        return QStringLiteral("ROM+RAM+BATTERY");
    case 0x0B:
        return QStringLiteral("MMM01");
    case 0x0C:
        return QStringLiteral("MMM01+RAM");
    case 0x0D:
        return QStringLiteral("MMM01+RAM+BATTERY");
    case 0x0F:
        return QStringLiteral("MBC3+TIMER+BATTERY");
    case 0x10:
        return QStringLiteral("MBC3+TIMER+RAM+BATTERY");
    case 0x11:
        return QStringLiteral("MBC3");
    case 0x12:
        return QStringLiteral("MBC3+RAM");
    case 0x13:
        return QStringLiteral("MBC3+RAM+BATTERY");
    case 0x19:
        return QStringLiteral("MBC5");
    case 0x1A:
        return QStringLiteral("MBC5+RAM");
    case 0x1B:
        return QStringLiteral("MBC5+RAM+BATTERY");
    case 0x1C:
        return QStringLiteral("MBC5+RUMBLE");
    case 0x1D:
        return QStringLiteral("MBC5+RUMBLE+RAM");
    case 0x1E:
        return QStringLiteral("MBC5+RUMBLE+RAM+BATTERY");
    case 0x20:
        return QStringLiteral("MBC6");
    case 0x22:
        return QStringLiteral("MBC7+SENSOR+RUMBLE+RAM+BATTERY");
    case 0xFC:
        return QStringLiteral("POCKET CAMERA");
    case 0xFD:
        return QStringLiteral("BANDAI TAMA5");
    case 0xFE:
        return QStringLiteral("HuC3");
    case 0xFF:
        return QStringLiteral("HuC1+RAM+BATTERY");
    default:
        return hex(cartridgeType, 2);
    }
}

QString CartridgeHeader::romSizeText() const
{
    if (romSizeCode <= 8)
        return kib(qint64(32 * 1024) << romSizeCode);
    switch (romSizeCode) {
    case 0x52:
        return kib(72 * 16 * 1024);
    case 0x53:
        return kib(80 * 16 * 1024);
    case 0x54:
        return kib(96 * 16 * 1024);
    default:
        return hex(romSizeCode, 2);
    }
}

QString CartridgeHeader::ramSizeText() const
{
    switch (ramSizeCode) {
    case 0:
        return kib(0);
    case 1:
        return kib(2 * 1024);
    case 2:
        return kib(8 * 1024);
    case 3:
        return kib(32 * 1024);
    case 4:
        return kib(128 * 1024);
    case 5:
        return kib(64 * 1024);
    default:
        return hex(ramSizeCode, 2);
    }
}

QStringList CartridgeHeader::detailLines() const
{
    const MessageTable &texts = messageTable();
    QString color = texts.text(CollectionText::No);
    if (colorFlag == 0xC0)
        color = texts.text(CollectionText::ColorOnly);
    else if (colorFlag == 0x80)
        color = texts.text(CollectionText::ColorCompatible);
    const QString superGameBoy = texts.text(superGameBoyFlag == 0x03 ? CollectionText::Yes : CollectionText::No);
    return {
        texts.text(CollectionText::HeaderChecksum) + checksumText(headerChecksum, computedHeaderChecksum, 2),
        texts.text(CollectionText::GlobalChecksum) + checksumText(globalChecksum, computedGlobalChecksum, 4),
        texts.text(CollectionText::CartridgeType).arg(cartridgeTypeName()),
        texts.text(CollectionText::MemorySizes).arg(romSizeText(), ramSizeText()),
        texts.text(CollectionText::SystemFlags).arg(color, superGameBoy),
    };
}

std::optional<QByteArray> CartridgeHeader::romOf(const QString &path)
{
    if (!isArchive(path)) {
        QFile file(path);
        if (!QFileInfo(path).isFile() || file.size() > RomHashing::MaxRomBytes || !file.open(QIODevice::ReadOnly))
            return std::nullopt;
        QByteArray bytes = file.read(RomHashing::MaxRomBytes);
        if (file.error() != QFileDevice::NoError)
            return std::nullopt;
        return bytes;
    }
    const auto members = ZipMembers::list(path);
    if (!members)
        return std::nullopt;
    std::optional<ZipMembers::Member> rom;
    for (const ZipMembers::Member &member : *members) {
        if (!RomHashing::isRomMember(member.name))
            continue;
        if (rom)
            return std::nullopt;
        rom = member;
    }
    if (!rom)
        return std::nullopt;
    return ZipMembers::readAll(path, *rom, RomHashing::MaxRomBytes);
}

QStringList CartridgeHeader::detailLinesOf(const QString &path)
{
    const auto rom = romOf(path);
    if (!rom)
        return {};
    if (const auto header = of(*rom))
        return header->detailLines();
    return {messageTable().text(CollectionText::HeaderIncomplete)};
}
