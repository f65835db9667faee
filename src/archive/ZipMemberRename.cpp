#include "archive/ZipMemberRename.h"

#include "archive/ZipMembers.h"
#include "archive/ZipRecords.h"

#include <QBuffer>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace ZipMemberRename {

using namespace ZipRecords;

namespace {

// Far above any Game Boy ROM's archive; the rewrite holds the archive in memory.
constexpr qint64 MaxArchive = qint64(256) << 20;
constexpr quint16 Encrypted = 0x0001;
constexpr quint16 Utf8Name = 0x0800;
// Info-ZIP's Unicode path field repeats the old name; a reader that trusts it would show the old name still.
constexpr quint16 UnicodePathField = 0x7075;

void put16(char *p, quint16 value)
{
    p[0] = char(value & 0xFF);
    p[1] = char(value >> 8);
}

void put32(char *p, quint32 value)
{
    put16(p, quint16(value & 0xFFFF));
    put16(p + 2, quint16(value >> 16));
}

// The archive's one entry, as its directory and its local header place it.
struct Layout
{
    State state = State::Unusual;
    qint64 endOffset = 0;       // the end record, comment included, runs to the end of the file
    qint64 directoryOffset = 0; // the one entry of the central directory
    QByteArray entry;           // that entry, whole
    QString member;
};

// Reads the end record and the directory through `device`.
std::optional<Layout> layoutOf(QIODevice &device)
{
    const qint64 size = device.size();
    const qint64 tailSize = std::min<qint64>(size, EndSize + MaxComment);
    Layout layout;
    if (tailSize < EndSize || !device.seek(size - tailSize))
        return layout;
    const QByteArray tail = device.read(tailSize);
    if (tail.size() != tailSize)
        return std::nullopt;
    const auto record = findEndRecord(tail.constData(), tailSize, size);
    if (!record)
        return layout;
    layout.endOffset = record->offset;
    if (record->entries != 1) {
        layout.state = State::SeveralMembers;
        return layout;
    }
    if (record->directorySize < EntrySize || !device.seek(record->directoryOffset))
        return layout;
    const QByteArray entry = device.read(record->directorySize);
    if (entry.size() != record->directorySize || le32(entry.constData()) != EntrySignature)
        return layout;
    const char *e = entry.constData();
    const qsizetype nameLength = le16(e + 28);
    if (EntrySize + nameLength + le16(e + 30) + le16(e + 32) != entry.size() || nameLength == 0 ||
        le32(e + 20) == 0xFFFFFFFF || le32(e + 24) == 0xFFFFFFFF || le32(e + 42) == 0xFFFFFFFF)
        return layout;
    layout.directoryOffset = record->directoryOffset;
    layout.entry = entry;
    layout.member = QString::fromUtf8(e + EntrySize, nameLength);
    layout.state = le16(e + 8) & Encrypted ? State::Encrypted : State::Renamable;
    return layout;
}

// An extra field without Info-ZIP's Unicode path; a field that does not parse is kept as it is.
QByteArray withoutUnicodePath(const QByteArray &extra)
{
    QByteArray kept;
    qsizetype at = 0;
    while (at + 4 <= extra.size()) {
        const qsizetype length = 4 + le16(extra.constData() + at + 2);
        if (at + length > extra.size())
            return extra;
        if (le16(extra.constData() + at) != UnicodePathField)
            kept += extra.mid(at, length);
        at += length;
    }
    return at == extra.size() ? kept : extra;
}

bool isAscii(const QByteArray &bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return quint8(c) < 0x80; });
}

// The archive with its member renamed; nothing when its bytes do not hold what the directory says.
std::optional<QByteArray> renamed(const QByteArray &archive, const Layout &layout, const QByteArray &name)
{
    const char *entry = layout.entry.constData();
    const qint64 local = le32(entry + 42);
    if (local + LocalSize > layout.directoryOffset)
        return std::nullopt;
    const char *header = archive.constData() + local;
    const qint64 dataStart = local + LocalSize + le16(header + 26) + le16(header + 28);
    if (le32(header) != LocalSignature || dataStart > layout.directoryOffset)
        return std::nullopt;
    // An ASCII name reads the same either way; the flag follows the name, so a rename back gives the old bytes.
    const quint16 utf8 = isAscii(name) ? 0 : Utf8Name;

    QByteArray out = archive.left(local);
    QByteArray localHeader(header, LocalSize);
    const QByteArray localExtra =
        withoutUnicodePath(archive.mid(local + LocalSize + le16(header + 26), le16(header + 28)));
    put16(localHeader.data() + 6, quint16((le16(header + 6) & ~Utf8Name) | utf8));
    put16(localHeader.data() + 26, quint16(name.size()));
    put16(localHeader.data() + 28, quint16(localExtra.size()));
    out += localHeader + name + localExtra;
    // The compressed data, and its data descriptor where there is one, as they are.
    out += archive.mid(dataStart, layout.directoryOffset - dataStart);

    const qsizetype nameLength = le16(entry + 28), extraLength = le16(entry + 30);
    QByteArray directory(entry, EntrySize);
    const QByteArray extra = withoutUnicodePath(layout.entry.mid(EntrySize + nameLength, extraLength));
    put16(directory.data() + 8, quint16((le16(entry + 8) & ~Utf8Name) | utf8));
    put16(directory.data() + 28, quint16(name.size()));
    put16(directory.data() + 30, quint16(extra.size()));
    directory += name + extra + layout.entry.mid(EntrySize + nameLength + extraLength);
    const qint64 directoryOffset = out.size();
    out += directory;

    QByteArray end = archive.mid(layout.endOffset);
    put32(end.data() + 12, quint32(directory.size()));
    put32(end.data() + 16, quint32(directoryOffset));
    out += end;
    if (out.size() > 0xFFFFFFFF)
        return std::nullopt;
    return out;
}

// Whether the archive written reads as one member named `member` with the CRC-32 given, both directly and
// through libzip, which inflates it and checks the CRC-32.
bool checks(const QString &file, const QByteArray &bytes, const QString &member, quint32 crc)
{
    const auto direct = ZipMembers::listDirectly(bytes);
    const auto listed = ZipMembers::listThroughLibzip(file);
    if (!direct || !listed || direct->size() != 1 || listed->size() != 1)
        return false;
    const ZipMembers::Member &only = listed->front();
    if (only.name != member || direct->front().name != member || only.crc != crc || direct->front().crc != crc)
        return false;
    return ZipMembers::read(file, only, qint64(1) << 32, [](const char *, qsizetype) {});
}

// Puts the checked file in place: over `to`, or under `to` only while that name is free.
bool putInPlace(const QString &temporary, const QString &to, bool replace)
{
    const QByteArray source = QFile::encodeName(temporary), target = QFile::encodeName(to);
    if (replace)
        return ::rename(source.constData(), target.constData()) == 0;
#ifdef Q_OS_UNIX
    // A hard link never replaces an existing name.
    if (::link(source.constData(), target.constData()) != 0)
        return false;
    ::unlink(source.constData());
    return true;
#else
    return QFile::rename(temporary, to);
#endif
}

} // namespace

std::optional<Inspection> inspect(const QString &archive)
{
    QFile file(archive);
    if (!QFileInfo(archive).isFile() || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const auto layout = layoutOf(file);
    if (!layout)
        return std::nullopt;
    return Inspection{layout->state, layout->member};
}

bool rename(const QString &from, const QString &to, const QString &member)
{
    const QFileInfo info(from);
    QFile file(from);
    if (!info.isFile() || info.size() > MaxArchive || !file.open(QIODevice::ReadOnly))
        return false;
    QByteArray archive = file.readAll();
    file.close();
    QBuffer buffer(&archive);
    buffer.open(QIODevice::ReadOnly);
    const auto layout = layoutOf(buffer);
    buffer.close();
    const QByteArray name = member.toUtf8();
    if (archive.size() != info.size() || !layout || layout->state != State::Renamable || name.isEmpty() ||
        name.size() > 0xFFFF)
        return false;
    const auto rewritten = renamed(archive, *layout, name);
    if (!rewritten)
        return false;

    QTemporaryFile temporary(info.absolutePath() + QStringLiteral("/.cartling-zip-XXXXXX"));
    if (!temporary.open() || temporary.write(*rewritten) != rewritten->size() || !temporary.flush())
        return false;
#ifdef Q_OS_UNIX
    if (::fsync(temporary.handle()) != 0)
        return false;
#endif
    temporary.setPermissions(info.permissions());
    temporary.setFileTime(info.lastModified(), QFileDevice::FileModificationTime);
    temporary.close();
    if (!checks(temporary.fileName(), *rewritten, member, le32(layout->entry.constData() + 16)))
        return false;
    const bool sameFile = QFileInfo(to).absoluteFilePath() == info.absoluteFilePath();
    if (!putInPlace(temporary.fileName(), to, sameFile))
        return false;
    temporary.setAutoRemove(false);
    if (!sameFile)
        QFile::remove(from);
    return true;
}

} // namespace ZipMemberRename
