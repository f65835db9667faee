#include "settings/SettingsFile.h"

#include "language/MessageTable.h"
#include "language/SafetyTexts.h"
#include "platform/ErrorHandler.h"
#include "platform/TextEncoding.h"
#include "platform/TextFile.h"
#include "settings/BaseFolder.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QThread>

#include <algorithm>
#include <vector>

#ifdef Q_OS_LINUX
#include <sys/stat.h>
#endif

namespace {

bool sameName(QStringView a, QStringView b)
{
    return a.trimmed().compare(b.trimmed(), Qt::CaseInsensitive) == 0;
}

// "[name]" with blanks around it allowed; the name is what stands between the brackets.
bool sectionHeader(const QString &line, QStringView *name)
{
    const QStringView text = QStringView(line).trimmed();
    if (!text.startsWith(u'['))
        return false;
    const qsizetype close = text.indexOf(u']');
    if (close < 0)
        return false;
    *name = text.mid(1, close - 1);
    return true;
}

// The lines of one section: its header and the lines up to the next header.
struct SectionRange
{
    qsizetype header = -1;
    qsizetype end = -1; // one past the section's last line
};

SectionRange findSection(const QStringList &lines, const QString &section)
{
    SectionRange range;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QStringView name;
        if (!sectionHeader(lines[i], &name))
            continue;
        if (range.header >= 0) {
            range.end = i;
            return range;
        }
        if (sameName(name, section))
            range.header = i;
    }
    if (range.header >= 0)
        range.end = lines.size();
    return range;
}

// The first line of the section whose name, before its first "=", is the key.
qsizetype findKey(const QStringList &lines, const SectionRange &range, const QString &key)
{
    for (qsizetype i = range.header + 1; i < range.end; ++i) {
        const qsizetype eq = lines[i].indexOf(u'=');
        if (eq >= 0 && sameName(QStringView(lines[i]).left(eq), key))
            return i;
    }
    return -1;
}

bool holdsSection(const QStringList &lines)
{
    QStringView name;
    return std::any_of(lines.begin(), lines.end(), [&](const QString &line) { return sectionHeader(line, &name); });
}

bool holdsLineBreak(const QString &text)
{
    return text.contains(u'\r') || text.contains(u'\n');
}

// Replaces the key's value in place, or adds the key at the end of its section, or the section at the end.
void insertValue(QStringList &lines, const QString &section, const QString &key, const QString &value)
{
    const SectionRange range = findSection(lines, section);
    if (range.header < 0) {
        if (!lines.isEmpty() && !lines.last().trimmed().isEmpty())
            lines.append(QString());
        lines.append(u'[' + section + u']');
        lines.append(key + u'=' + value);
    } else if (const qsizetype line = findKey(lines, range, key); line >= 0) {
        lines[line] = lines[line].left(lines[line].indexOf(u'=') + 1) + value;
    } else {
        // After the section's last non-empty line, so the blank line before the next section stays.
        qsizetype at = range.end;
        while (at > range.header + 1 && lines[at - 1].trimmed().isEmpty())
            --at;
        lines.insert(at, key + u'=' + value);
    }
}

// The lock file beside the settings file, held for one read-modify-write. A lock left by a process that
// died is taken over; one held longer than any write takes is reported instead of waited for forever.
// A process killed while making the lock file leaves it empty, naming no process to check; such a file is
// taken over once it is older than any write of a file within the size limit takes.
class WriteLock
{
public:
    explicit WriteLock(const QString &file) : m_lock(file + QStringLiteral(".lock"))
    {
        m_lock.setStaleLockTime(std::chrono::seconds(5));
        QDeadlineTimer deadline(std::chrono::seconds(10));
        while (!m_lock.tryLock(0)) {
            if (m_lock.error() != QLockFile::LockFailedError) {
                throw TextFile::Error(TextFile::Error::Action::Write, file,
                                      QStringLiteral("its lock file %1 cannot be made").arg(m_lock.fileName()));
            }
            if (deadline.hasExpired()) {
                throw TextFile::Error(TextFile::Error::Action::Write, file,
                                      QStringLiteral("another program holds its lock file %1").arg(m_lock.fileName()));
            }
            QThread::msleep(2);
        }
    }

private:
    QLockFile m_lock;
};

// The readings a live ReadBatch keeps, one per file.
struct BatchEntry
{
    QString path;
    QByteArray identity;
    QStringList lines;
};

struct Batch
{
    int depth = 0;
    std::vector<BatchEntry> entries;
};

thread_local Batch batch;

// What tells one state of a file from another; empty when the file cannot be told apart (no such file, no
// regular file, or a system without stat), which reads it every time.
QByteArray identityOf(const QString &path)
{
#ifdef Q_OS_LINUX
    struct stat st;
    if (::stat(QFile::encodeName(path).constData(), &st) != 0 || !S_ISREG(st.st_mode))
        return {};
    const qint64 fields[] = {qint64(st.st_dev),       qint64(st.st_ino),        qint64(st.st_size),
                             qint64(st.st_mtim.tv_sec), qint64(st.st_mtim.tv_nsec), qint64(st.st_ctim.tv_sec),
                             qint64(st.st_ctim.tv_nsec)};
    return QByteArray(reinterpret_cast<const char *>(fields), sizeof fields);
#else
    Q_UNUSED(path);
    return {};
#endif
}

void forgetReading(const QString &path)
{
    std::erase_if(batch.entries, [&](const BatchEntry &entry) { return entry.path == path; });
}

} // namespace

SettingsFile::ReadBatch::ReadBatch()
{
    ++batch.depth;
}

SettingsFile::ReadBatch::~ReadBatch()
{
    if (--batch.depth == 0)
        batch.entries.clear();
}

std::optional<QStringList> SettingsFile::lines() const
{
    if (batch.depth == 0)
        return TextFile::readLines(m_path);
    const QByteArray before = identityOf(m_path);
    for (const BatchEntry &entry : batch.entries) {
        if (entry.path == m_path && !before.isEmpty() && entry.identity == before)
            return entry.lines;
    }
    forgetReading(m_path);
    auto lines = TextFile::readLines(m_path);
    // Kept only when the file did not change while it was read.
    if (lines && !before.isEmpty() && identityOf(m_path) == before)
        batch.entries.push_back({m_path, before, *lines});
    return lines;
}

SettingsFile::SettingsFile(QString path) : m_path(path.isEmpty() ? BaseFolder::settingsPath() : std::move(path)) {}

QString SettingsFile::readString(const QString &section, const QString &key, const QString &def) const
{
    // A file that is no regular file, or far too large, reads as no file; a write then says what is wrong.
    const auto lines = this->lines();
    if (!lines)
        return def;
    const SectionRange range = findSection(*lines, section);
    if (range.header < 0)
        return def;
    const qsizetype line = findKey(*lines, range, key);
    if (line < 0)
        return def;
    const QString &text = (*lines)[line];
    return text.mid(text.indexOf(u'=') + 1).left(MaxValueLength);
}

std::optional<int> SettingsFile::parseInteger(const QString &value)
{
    const QString text = value.trimmed();
    bool ok = false;
    int number = 0;
    if (text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        number = text.mid(2).toInt(&ok, 16);
    else
        number = text.toInt(&ok, 10);
    if (!ok)
        return std::nullopt;
    return number;
}

int SettingsFile::readInteger(const QString &section, const QString &key, int def) const
{
    return SettingsFile::parseInteger(readString(section, key, QString())).value_or(def);
}

bool SettingsFile::readBool(const QString &section, const QString &key, bool def) const
{
    return readInteger(section, key, def ? 1 : 0) != 0;
}

void SettingsFile::writeString(const QString &section, const QString &key, const QString &value)
{
    if (holdsLineBreak(section) || holdsLineBreak(key) || holdsLineBreak(value)) {
        throw CartlingError(
            QStringLiteral("Unable to write to %1: the value of \"%2\" holds a line break.").arg(m_path, key));
    }
    // Through a link only to a regular file, and never making a file at the end of a link to nothing.
    const QString target = TextFile::target(m_path);
    if (target.isEmpty())
        throw CartlingError(QStringLiteral("Unable to write to %1: it is a symbolic link to no file.").arg(m_path));
    if (const QFileInfo info(target); info.exists() && !info.isFile())
        throw CartlingError(QStringLiteral("Unable to write to %1: it is not a regular file.").arg(m_path));
    if (!TextFile::writable(target))
        throw CartlingError(QStringLiteral("Unable to write to %1").arg(m_path));
    try {
        // Another Cartling on the same base folder must not lose this write, nor this one its writes.
        const WriteLock lock(target);
        TextEncoding::Encoding encoding = TextEncoding::Encoding::Windows1252;
        QStringList lines = TextFile::loadLines(m_path, &encoding).value_or(QStringList());
        if (!holdsSection(lines) && TextEncoding::holdsText(TextEncoding::joinLines(lines))) {
            // Text of which not one section reads (another encoding, another kind of file) is left alone.
            throw CartlingError(messageTable().text(SafetyText::UnreadableFile).arg(QDir::toNativeSeparators(m_path)));
        }
        insertValue(lines, section, key, value);
        forgetReading(m_path);
        TextFile::saveLines(m_path, lines, encoding);
    } catch (const TextFile::Error &error) {
        throw CartlingError(QStringLiteral("Unable to write to %1: %2.").arg(m_path, error.reason()));
    }
}

void SettingsFile::writeInteger(const QString &section, const QString &key, int value)
{
    writeString(section, key, QString::number(value));
}

void SettingsFile::writeBool(const QString &section, const QString &key, bool value)
{
    writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}
