#include "collection/CollectionReport.h"

#include "platform/PathHelpers.h"

#include <QDate>
#include <QHash>
#include <QXmlStreamWriter>

#include <algorithm>
#include <cstring>

namespace {

enum RomMark : quint8
{
    NoFile = 0,
    BadFile = 1,
    GoodFile = 2,
};

bool matches(const DatIndex::Rom &rom, const RomHashes &hashes)
{
    if (rom.hasSize() && rom.size != hashes.size)
        return false;
    return !rom.hasSha1() ||
           (hashes.sha1.size() == 20 && std::memcmp(rom.sha1.data(), hashes.sha1.constData(), 20) == 0);
}

// A text-form DAT may hold control characters that XML cannot carry; the fixdat shows them as U+FFFD.
QString xmlSafe(QString text)
{
    for (QChar &c : text) {
        if (c.unicode() < 0x20 && c != u'\t' && c != u'\n' && c != u'\r')
            c = QChar::ReplacementCharacter;
    }
    return text;
}

} // namespace

CollectionReport CollectionReport::make(const QStringList &files, std::shared_ptr<const DatCatalog> dats,
                                        const HashCache &cache)
{
    CollectionReport report;
    report.m_catalog = std::move(dats);
    const std::vector<DatCatalog::Dat> &all = report.m_catalog->dats();
    std::vector<std::vector<quint8>> marks(all.size());
    for (size_t d = 0; d < all.size(); ++d)
        marks[d].assign(size_t(all[d].index.romCount()), NoFile);

    QHash<QByteArray, QStringList> bySha1;
    QList<QByteArray> sha1Order;
    for (const QString &path : files) {
        const auto stamp = HashCache::stampOf(path);
        const HashCache::Entry *entry = stamp ? cache.find(path, *stamp) : nullptr;
        if (!entry || entry->kind != HashCache::Kind::Rom) {
            ++report.m_notChecked;
            continue;
        }
        const RomHashes &hashes = entry->hashes;
        if (hashes.sha1.size() == 20) {
            auto &same = bySha1[hashes.sha1];
            if (same.isEmpty())
                sha1Order.append(hashes.sha1);
            same.append(path);
        }
        bool known = false;
        for (size_t d = 0; d < all.size(); ++d) {
            const std::span<const DatIndex::Rom> roms = all[d].index.roms();
            const std::span<const DatIndex::Rom> candidates = all[d].index.withCrc(hashes.crc);
            if (candidates.empty())
                continue;
            known = true;
            bool good = false;
            for (const DatIndex::Rom &rom : candidates) {
                if (matches(rom, hashes)) {
                    marks[d][size_t(&rom - roms.data())] = GoodFile;
                    good = true;
                }
            }
            // As a row's mark says: the first entry of the CRC is the game this is a bad dump of.
            quint8 &first = marks[d][size_t(candidates.data() - roms.data())];
            if (!good && first == NoFile)
                first = BadFile;
        }
        if (!known)
            report.m_unknown.append(path);
    }
    for (const QByteArray &sha1 : sha1Order) {
        QStringList same = bySha1.value(sha1);
        if (same.size() > 1) {
            same.sort();
            report.m_duplicates.append(same);
        }
    }

    for (size_t d = 0; d < all.size(); ++d) {
        const DatIndex &index = all[d].index;
        const std::span<const DatIndex::Rom> roms = index.roms();
        DatPart part;
        part.dat = &all[d];
        // Per game: its ROMs, those with a good file, those with a bad one. A game without ROMs is in no index.
        std::vector<quint32> total(size_t(index.gameCount())), good(total.size()), bad(total.size());
        for (size_t r = 0; r < roms.size(); ++r) {
            const quint32 game = roms[r].game;
            ++total[game];
            good[game] += marks[d][r] == GoodFile;
            bad[game] += marks[d][r] == BadFile;
        }
        std::vector<bool> lacking(total.size(), false);
        for (size_t g = 0; g < total.size(); ++g) {
            if (total[g] == 0)
                continue;
            ++part.games;
            if (good[g] == total[g]) {
                ++part.good;
            } else if (bad[g] > 0) {
                ++part.bad;
            } else {
                part.missing.push_back(quint32(g));
                lacking[g] = true;
            }
        }
        for (size_t r = 0; r < roms.size(); ++r) {
            if (lacking[roms[r].game] && marks[d][r] != GoodFile)
                part.missingRoms.push_back(quint32(r));
        }
        // The index is by CRC; the fixdat lists games in the DAT's order, each ROM in its own.
        std::stable_sort(part.missingRoms.begin(), part.missingRoms.end(),
                         [&roms](quint32 a, quint32 b) { return roms[a].game < roms[b].game; });
        report.m_parts.push_back(std::move(part));
    }
    return report;
}

QStringList CollectionReport::missingNames(const DatPart &part) const
{
    QStringList names;
    names.reserve(qsizetype(part.missing.size()));
    for (const quint32 game : part.missing)
        names.append(part.dat->index.gameName(game));
    return names;
}

QByteArray CollectionReport::fixDat(const DatPart &part) const
{
    const DatIndex &index = part.dat->index;
    const std::span<const DatIndex::Rom> roms = index.roms();
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(-1);
    xml.writeStartDocument();
    xml.writeDTD(QStringLiteral("<!DOCTYPE datafile PUBLIC \"-//Logiqx//DTD ROM Management Datafile//EN\" "
                                "\"http://www.logiqx.com/Dats/datafile.dtd\">"));
    xml.writeStartElement(QStringLiteral("datafile"));
    xml.writeStartElement(QStringLiteral("header"));
    const QString source = xmlSafe(index.name().isEmpty() ? fileNameOf(part.dat->path) : index.name());
    // Other ROM managers name a list of what is missing "fix_" and the DAT it was made from.
    xml.writeTextElement(QStringLiteral("name"), QStringLiteral("fix_") + source);
    xml.writeTextElement(QStringLiteral("description"),
                         QStringLiteral("Missing from %1 (%2)").arg(source, xmlSafe(fileNameOf(part.dat->path))));
    xml.writeTextElement(QStringLiteral("version"), QDate::currentDate().toString(QStringLiteral("yyyyMMdd")));
    xml.writeTextElement(QStringLiteral("author"), QStringLiteral("Cartling"));
    xml.writeEndElement();
    qint64 game = -1;
    for (const quint32 r : part.missingRoms) {
        const DatIndex::Rom &rom = roms[r];
        if (rom.game != game) {
            if (game >= 0)
                xml.writeEndElement();
            game = rom.game;
            const QString name = xmlSafe(index.gameName(rom.game));
            xml.writeStartElement(QStringLiteral("game"));
            xml.writeAttribute(QStringLiteral("name"), name);
            xml.writeTextElement(QStringLiteral("description"), name);
        }
        xml.writeEmptyElement(QStringLiteral("rom"));
        xml.writeAttribute(QStringLiteral("name"), xmlSafe(index.romName(rom)));
        if (rom.hasSize())
            xml.writeAttribute(QStringLiteral("size"), QString::number(rom.size));
        xml.writeAttribute(QStringLiteral("crc"), QStringLiteral("%1").arg(rom.crc, 8, 16, QLatin1Char('0')));
        if (rom.hasSha1())
            xml.writeAttribute(
                QStringLiteral("sha1"),
                QString::fromLatin1(
                    QByteArray::fromRawData(reinterpret_cast<const char *>(rom.sha1.data()), 20).toHex()));
    }
    if (game >= 0)
        xml.writeEndElement();
    xml.writeEndDocument();
    return bytes;
}
