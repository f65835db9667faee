#pragma once

#include "collection/DatCatalog.h"
#include "collection/HashCache.h"

#include <QByteArray>
#include <QList>
#include <QStringList>
#include <memory>
#include <vector>

// "Informe de la colección": what the listed files are against each loaded DAT, from the hashes of the last
// verification (nothing is read). Per DAT the games it holds whole (every ROM a good dump), those it holds only
// as a bad dump, and those it lacks; over all files the copies of one dump (same SHA-1) and the files no DAT
// knows.
class CollectionReport
{
public:
    struct DatPart
    {
        const DatCatalog::Dat *dat = nullptr;
        int games = 0;
        int good = 0;
        int bad = 0;
        std::vector<quint32> missing; // the games it lacks, in the DAT's order
        // Their ROMs without a good file, by position in dat->index.roms(), grouped by game in the DAT's order.
        std::vector<quint32> missingRoms;
    };

    // Made from the files' hashes as `cache` holds them; a file changed since its verification counts as not
    // checked. `dats` stays alive with the report.
    static CollectionReport make(const QStringList &files, std::shared_ptr<const DatCatalog> dats,
                                 const HashCache &cache);

    const std::vector<DatPart> &dats() const { return m_parts; }
    // The names of the games a DAT lacks, one a line.
    QStringList missingNames(const DatPart &part) const;
    // Files that hold the same dump, each group sorted, the groups in the order of their first file.
    const QList<QStringList> &duplicates() const { return m_duplicates; }
    const QStringList &unknown() const { return m_unknown; }
    // Files not verified, changed since, or with no one ROM to check.
    int notChecked() const { return m_notChecked; }

    // The games a DAT lacks as a Logiqx DAT of their missing ROMs (a "fixdat"), naming the source DAT in its
    // header.
    QByteArray fixDat(const DatPart &part) const;

private:
    std::shared_ptr<const DatCatalog> m_catalog;
    std::vector<DatPart> m_parts;
    QList<QStringList> m_duplicates;
    QStringList m_unknown;
    int m_notChecked = 0;
};
