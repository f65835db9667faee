#include "collection/HashCache.h"

#include "platform/PrivateFile.h"
#include "settings/BaseFolder.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

#include <cstring>
#include <zlib.h>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace {

constexpr char CacheMagic[8] = {'C', 'T', 'L', 'H', 'A', 'S', 'H', '1'};
// Far beyond any collection; a larger count can only come from a damaged file.
constexpr quint32 MaxEntries = 10'000'000;
constexpr qint64 MaxFileBytes = qint64(1) << 30;

// Little-endian fields one after another; the reader checks every length against what is left.
class Writer
{
public:
    template <typename T> void put(T value)
    {
        for (size_t i = 0; i < sizeof(T); ++i)
            m_bytes.append(char(quint64(value) >> (8 * i)));
    }
    void put(const QByteArray &bytes)
    {
        put(quint32(bytes.size()));
        m_bytes.append(bytes);
    }
    QByteArray &bytes() { return m_bytes; }

private:
    QByteArray m_bytes;
};

class Reader
{
public:
    Reader(const char *data, qsizetype size) : m_data(data), m_left(size) {}
    template <typename T> bool get(T &value)
    {
        if (m_left < qsizetype(sizeof(T)))
            return false;
        quint64 v = 0;
        for (size_t i = 0; i < sizeof(T); ++i)
            v |= quint64(static_cast<unsigned char>(m_data[i])) << (8 * i);
        value = T(v);
        advance(sizeof(T));
        return true;
    }
    bool get(QByteArray &bytes)
    {
        quint32 size = 0;
        if (!get(size) || m_left < qsizetype(size))
            return false;
        bytes = QByteArray(m_data, qsizetype(size));
        advance(size);
        return true;
    }
    bool atEnd() const { return m_left == 0; }

private:
    void advance(qsizetype n)
    {
        m_data += n;
        m_left -= n;
    }
    const char *m_data;
    qsizetype m_left;
};

quint32 cacheChecksum(const char *data, qsizetype size)
{
    return quint32(crc32(0, reinterpret_cast<const Bytef *>(data), uInt(size)));
}

} // namespace

QString HashCache::defaultFile()
{
    return BaseFolder::file(QStringLiteral("Verificacion.cache"));
}

HashCache::HashCache(QString file) : m_file(std::move(file)) {}

std::optional<HashCache::Stamp> HashCache::stampOf(const QString &path)
{
#ifdef Q_OS_UNIX
    // One system call: a verification asks this of every listed file.
    struct stat st
    {
    };
    if (::stat(QFile::encodeName(path).constData(), &st) != 0 || !S_ISREG(st.st_mode))
        return std::nullopt;
    return Stamp{qint64(st.st_size), qint64(st.st_mtim.tv_sec) * 1000 + st.st_mtim.tv_nsec / 1000000};
#else
    const QFileInfo info(path);
    if (!info.isFile())
        return std::nullopt;
    return Stamp{info.size(), info.lastModified().toMSecsSinceEpoch()};
#endif
}

const HashCache::Entry *HashCache::find(const QString &path) const
{
    const auto it = m_entries.constFind(path);
    return it == m_entries.constEnd() ? nullptr : &it.value();
}

const HashCache::Entry *HashCache::find(const QString &path, const Stamp &stamp) const
{
    const Entry *entry = find(path);
    return entry && entry->stamp == stamp ? entry : nullptr;
}

void HashCache::store(const QString &path, const Entry &entry)
{
    m_entries.insert(path, entry);
}

void HashCache::remove(const QString &path)
{
    m_entries.remove(path);
}

void HashCache::rename(const QString &from, const QString &to)
{
    const auto it = m_entries.find(from);
    if (it == m_entries.end())
        return;
    const Entry entry = it.value();
    m_entries.erase(it);
    m_entries.insert(to, entry);
}

bool HashCache::save() const
{
    Writer body;
    body.put(quint32(m_entries.size()));
    for (auto it = m_entries.constBegin(); it != m_entries.constEnd(); ++it) {
        const Entry &entry = it.value();
        body.put(it.key().toUtf8());
        body.put(entry.stamp.size);
        body.put(entry.stamp.time);
        body.put(quint8(entry.kind));
        body.put(quint8(entry.inArchive));
        body.put(entry.member);
        body.put(entry.hashes.size);
        body.put(entry.hashes.crc);
        body.put(entry.hashes.sha1);
    }
    QByteArray file(CacheMagic, sizeof CacheMagic);
    Writer checksum;
    checksum.put(cacheChecksum(body.bytes().constData(), body.bytes().size()));
    file += checksum.bytes();
    file += body.bytes();
    return PrivateFile::write(m_file, file);
}

void HashCache::load()
{
    m_entries.clear();
    const std::optional<QByteArray> read = PrivateFile::read(m_file, MaxFileBytes);
    if (!read)
        return;
    const QByteArray &bytes = *read;
    const qsizetype head = sizeof CacheMagic + sizeof(quint32);
    if (bytes.size() < head || std::memcmp(bytes.constData(), CacheMagic, sizeof CacheMagic) != 0)
        return;
    Reader header(bytes.constData() + sizeof CacheMagic, sizeof(quint32));
    quint32 checksum = 0;
    header.get(checksum);
    if (cacheChecksum(bytes.constData() + head, bytes.size() - head) != checksum)
        return;

    Reader reader(bytes.constData() + head, bytes.size() - head);
    quint32 count = 0;
    if (!reader.get(count) || count > MaxEntries)
        return;
    QHash<QString, Entry> entries;
    entries.reserve(count);
    for (quint32 i = 0; i < count; ++i) {
        QByteArray path;
        Entry entry;
        quint8 kind{}, inArchive{};
        if (!reader.get(path) || !reader.get(entry.stamp.size) || !reader.get(entry.stamp.time) || !reader.get(kind) ||
            !reader.get(inArchive) || !reader.get(entry.member) || !reader.get(entry.hashes.size) ||
            !reader.get(entry.hashes.crc) || !reader.get(entry.hashes.sha1))
            return;
        if (kind > quint8(Kind::NoRom) || (!entry.hashes.sha1.isEmpty() && entry.hashes.sha1.size() != 20))
            return;
        entry.kind = Kind(kind);
        entry.inArchive = inArchive != 0;
        entries.insert(QString::fromUtf8(path), entry);
    }
    if (reader.atEnd())
        m_entries = std::move(entries);
}
