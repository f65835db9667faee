#pragma once

#include "collection/DatIndex.h"
#include "collection/DatReader.h"
#include "platform/Progress.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

// The DAT files loaded to check the collection against, and the list of them kept in Cartling.ini.
class DatCatalog
{
public:
    struct Dat
    {
        QString path;
        DatIndex index;
    };
    struct Candidate
    {
        const Dat *dat;
        const DatIndex::Rom *rom;
    };
    struct LoadResult
    {
        std::shared_ptr<const DatCatalog> catalog;
        QList<DatReader::DatError> failures; // the DATs that could not be loaded
    };

    void add(QString path, DatIndex index);
    bool isEmpty() const { return m_dats.empty(); }
    const std::vector<Dat> &dats() const { return m_dats; }
    // The entries of every DAT with this CRC-32.
    std::vector<Candidate> withCrc(quint32 crc) const;
    bool knows(quint32 crc) const;

    // One DAT, from its cache file when that was made from the DAT as it is now; otherwise read from the DAT, and
    // the cache written for the next time (where it can be written safely). Raises DatReader::DatError.
    static DatIndex loadDat(const QString &path, const DatReader::Limits &limits = {});
    // The cache file of a DAT, in the user's own cache folder ($XDG_CACHE_HOME/cartling), named by a hash of
    // the DAT's absolute path.
    static QString cacheFileOf(const QString &datPath);
    // Every DAT of the list; one that fails is left out of the catalog and reported in `failures`. `progress` hears
    // the DATs done and may cancel (the catalog then holds those read until then).
    static LoadResult loadAll(const QStringList &paths, const DatReader::Limits &limits = {},
                              const Progress &progress = {});

    // The list of DAT files in the settings file ([DAT], "Cuantos" and "DAT1" to "DATn").
    static QStringList storedList();
    // Writes the list; raises CartlingError when the settings file refuses the write.
    static void storeList(const QStringList &paths);

private:
    std::vector<Dat> m_dats;
};
