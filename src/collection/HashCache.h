#pragma once

#include "collection/RomHashing.h"

#include <QHash>
#include <QString>
#include <optional>

// What verifying found for each file, kept in the base folder so that the next run reads only the files that
// changed. An entry holds while the file keeps its size and modification time.
class HashCache
{
public:
    enum class Kind : quint8
    {
        Rom,   // the hashes of the file's ROM
        NoRom, // an archive without exactly one ROM, or a file too large to be one: nothing to check
    };
    struct Stamp
    {
        qint64 size = 0;
        qint64 time = 0; // modification time, milliseconds since the epoch
        bool operator==(const Stamp &) const = default;
    };
    struct Entry
    {
        Stamp stamp;
        Kind kind = Kind::Rom;
        quint64 member = 0; // the ROM's index in its archive
        bool inArchive = false;
        RomHashes hashes;
    };

    // base folder + "/Verificacion.cache"
    static QString defaultFile();
    explicit HashCache(QString file = defaultFile());

    // Reads the file; a missing or damaged file, a link or another user's file gives an empty cache (it is only
    // a cache).
    void load();
    // Writes the file whole, atomically, never through a link nor into another user's folder. False when it
    // cannot be written so; nothing else depends on it.
    bool save() const;

    // The entry of a file as it is now (stamp given), or nothing when the file changed or was never read.
    const Entry *find(const QString &path, const Stamp &stamp) const;
    // The entry whatever the file's state; the caller checks the stamp.
    const Entry *find(const QString &path) const;
    void store(const QString &path, const Entry &entry);
    void remove(const QString &path);
    // A file renamed keeps its entry under the new name.
    void rename(const QString &from, const QString &to);
    QStringList paths() const { return m_entries.keys(); }
    qsizetype size() const { return m_entries.size(); }

    // The file's size and time now; nothing when there is no plain file.
    static std::optional<Stamp> stampOf(const QString &path);

private:
    QString m_file;
    QHash<QString, Entry> m_entries;
};
