#pragma once

#include <QByteArray>
#include <QString>
#include <array>
#include <optional>
#include <span>
#include <vector>

// The entries of one DAT file, indexed by CRC-32: for each ROM its size, SHA-1, its own name and the name of its
// game. Names are held as UTF-8 in one block, so a DAT of a hundred thousand games costs a few megabytes and can be
// written to and read from its cache file in one piece.
class DatIndex
{
public:
    struct Rom
    {
        quint32 crc = 0;
        quint32 game = 0;
        qint64 size = 0;
        std::array<unsigned char, 20> sha1{};
        quint32 flags = 0;
        quint32 nameStart = 0; // the ROM entry's own name in the block of ROM names
        quint32 nameLength = 0;

        static constexpr quint32 HasSize = 1;
        static constexpr quint32 HasSha1 = 2;
        bool hasSize() const { return flags & HasSize; }
        bool hasSha1() const { return flags & HasSha1; }
    };

    // Collects the entries while a DAT is read; finish() sorts them into an index.
    class Builder
    {
    public:
        void setName(const QString &name) { m_name = name; }
        // A new game; its ROMs follow.
        void addGame(QStringView name);
        // A ROM of the last game, with the entry's own name (a file name, often the game's plus more).
        void addRom(const Rom &rom, QStringView name);
        qsizetype romCount() const { return qsizetype(m_roms.size()); }
        qsizetype nameBytes() const { return m_names.size() + m_romNames.size(); }
        DatIndex finish();

    private:
        QString m_name;
        std::vector<Rom> m_roms;
        QByteArray m_names;
        std::vector<quint32> m_nameEnds;
        QByteArray m_romNames;
    };

    // The name the DAT gives itself in its header.
    const QString &name() const { return m_name; }
    qsizetype romCount() const { return qsizetype(m_roms.size()); }
    qsizetype gameCount() const { return qsizetype(m_nameEnds.size()); }
    QString gameName(quint32 game) const;
    // The ROM entry's own name; empty when the DAT gave none.
    QString romName(const Rom &rom) const;
    // Every ROM, by CRC.
    std::span<const Rom> roms() const { return m_roms; }
    // The ROMs with this CRC-32, in the DAT's order.
    std::span<const Rom> withCrc(quint32 crc) const;

    // The index as its cache file holds it, keyed by the DAT file's size and modification time; read back only
    // for the same key and when every part is whole and consistent.
    QByteArray toCache(qint64 datSize, qint64 datTime) const;
    static std::optional<DatIndex> fromCache(const QByteArray &bytes, qint64 datSize, qint64 datTime);

private:
    QString m_name;
    std::vector<Rom> m_roms; // sorted by CRC
    QByteArray m_names;
    std::vector<quint32> m_nameEnds; // end of each game's name in m_names
    QByteArray m_romNames;
};
