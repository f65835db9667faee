#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

// File names that a Windows installation matches without regard to case are looked up that way:
// the exact name first, then any name of the folder that differs only in case.
namespace FileLookup {

// Remembers, folder by folder, the answers of case-blind lookups until the folder changes, so that a lookup
// that polls a large folder again and again costs one stat() instead of a listing. Only the answers are kept,
// not the listings, so a folder of 100,000 files costs no memory. A listing taken within moments of the
// folder's last change is not trusted: a change in the same clock tick would leave its time as it was.
class Cache
{
public:
    // The names in the folder that equal `name` without regard to case (files and folders alike), in the
    // folder's order.
    QStringList matches(const QString &folder, const QString &name);
    // Whether any name in the folder ends in `suffix`, without regard to case.
    bool holdsSuffix(const QString &folder, const QString &suffix);

    // What tells one state of a folder from another; invalid when the folder cannot be looked at.
    struct Stamp
    {
        qint64 modified = -1; // nanoseconds since the epoch
        quint64 device = 0;
        quint64 node = 0;
        bool trusted = false; // the listing was taken well after the folder's last change
        bool operator==(const Stamp &other) const
        {
            return modified == other.modified && device == other.device && node == other.node;
        }
    };

private:
    struct Folder
    {
        Stamp stamp;
        // Keyed by the query: "=" and a name, or "*" and a suffix.
        QHash<QString, QStringList> answers;
    };
    QStringList answer(const QString &folder, const QString &query);

    QHash<QString, Folder> m_folders;
};

// The full path of the file in the folder, or an empty text when there is none. With a cache, a folder is
// listed only when the exact name is missing and the folder changed since it was last listed.
QString find(const QString &folder, const QString &name, Cache *cache = nullptr);

} // namespace FileLookup
