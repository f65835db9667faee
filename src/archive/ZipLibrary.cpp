#include "archive/ZipLibrary.h"

#include "archive/Libzip.h"
#include "archive/ZipNameFlags.h"
#include "platform/FileAttributes.h"
#include "platform/Messages.h"
#include "platform/PathHelpers.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSet>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <memory>
#include <system_error>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace {

// What setZipOptions leaves for zipFiles; update (add or replace members) is always on.
struct ZipOptions
{
    QString rootFolder;
    bool junkDirectoryNames = true;
    int level = 6;
};

ZipOptions g_options;

struct ZipDiscard
{
    void operator()(zip_t *archive) const { libzip().discard(archive); }
};
// An open archive that, unless zip_close takes it over, is dropped with the file on disk unchanged.
using ZipHandle = std::unique_ptr<zip_t, ZipDiscard>;

bool hasDrive(const QString &path)
{
    return path.size() >= 2 && path[1] == u':' && path[0].isLetter();
}

// A relative name is read from the root folder, as the ZIP library resolved names from there.
QString sourcePath(const QString &name, const ZipOptions &options)
{
    if (options.rootFolder.isEmpty() || !QDir::isRelativePath(name))
        return name;
    return options.rootFolder + name;
}

// The name a file is stored under. Without junk directory names it keeps its folders below the root
// folder, but never a drive, a leading "/" or a "..", which would point outside the folder it is
// extracted into.
QString storedName(const QString &path, const ZipOptions &options)
{
    if (options.junkDirectoryNames)
        return fileNameOf(path);
    QString name = path;
    if (!options.rootFolder.isEmpty() && name.startsWith(options.rootFolder))
        name = name.mid(options.rootFolder.size());
    if (hasDrive(name))
        name = name.mid(2);
    QStringList parts = QDir::cleanPath(name).split(u'/', Qt::SkipEmptyParts);
    parts.removeAll(QStringLiteral("."));
    parts.removeAll(QStringLiteral(".."));
    return parts.join(u'/');
}

bool readable(const QString &path)
{
    QFile file(path);
    return QFileInfo(path).isFile() && file.open(QIODevice::ReadOnly);
}

// A member's name reduced to its last component; "\" counts as a separator too, as archives made on
// Windows sometimes use it.
QString flatName(const QString &memberName)
{
    qsizetype cut = std::max(memberName.lastIndexOf(u'/'), memberName.lastIndexOf(u'\\'));
#ifdef Q_OS_WIN
    cut = std::max(cut, memberName.lastIndexOf(u':'));
#endif
    return memberName.mid(cut + 1);
}

// Control characters (CR, LF, TAB and the rest of C0 and C1, DEL) have no place in a file name: each becomes "_".
QString withoutControlCharacters(QString name)
{
    for (QChar &c : name) {
        if (c.category() == QChar::Other_Control)
            c = u'_';
    }
    return name;
}

// Folders, links and other special files: a Unix file type in the high half of the external attributes
// (set by Unix tools and by 7-Zip whatever the host) or the MS-DOS folder bit.
bool isSpecialMember(zip_t *archive, zip_uint64_t index)
{
    zip_uint8_t opsys = 0;
    zip_uint32_t attributes = 0;
    if (libzip().file_get_external_attributes(archive, index, 0, &opsys, &attributes) != 0)
        return false;
    const zip_uint32_t type = (attributes >> 16) & 0170000;
    return (type != 0 && type != 0100000) || (attributes & 0x10);
}

// A new hidden file beside the target, opened with create-exclusive, so neither an existing file nor a
// planted link is ever opened; hidden, so a listing of the folder never counts a half-written member.
std::unique_ptr<QFile> createPartFile(const QString &prefix)
{
    for (int attempt = 0; attempt < 8; ++attempt) {
        auto file = std::make_unique<QFile>(prefix + QStringLiteral(".cartling-") +
                                            QString::number(QRandomGenerator::global()->generate64(), 36) +
                                            QStringLiteral(".part"));
        if (file->open(QIODevice::WriteOnly | QIODevice::NewOnly))
            return file;
    }
    return nullptr;
}

// Inflates one member into a part file and renames it over the target only when the member was read
// whole and intact. `inflated` counts the bytes really inflated, whatever size the archive declares.
bool extractMember(zip_t *archive, const zip_stat_t &stat, const QString &prefix, const QString &target, qint64 limit,
                   qint64 &inflated)
{
    zip_file_t *member = libzip().fopen_index(archive, stat.index, 0);
    if (!member)
        return false;
    const std::unique_ptr<QFile> part = createPartFile(prefix);
    if (!part) {
        libzip().fclose(member);
        return false;
    }

    bool whole = true;
    static constexpr qint64 chunk = 64 * 1024;
    const auto buffer = std::make_unique<char[]>(chunk);
    for (;;) {
        // Never ask for more than one byte past the limit, so a lying member costs at most the limit.
        const zip_int64_t n =
            libzip().fread(member, buffer.get(), limit - inflated < chunk ? limit - inflated + 1 : chunk);
        if (n == 0)
            break;
        inflated += std::max<zip_int64_t>(n, 0);
        if (n < 0 || inflated > limit || part->write(buffer.get(), n) != n) {
            whole = false;
            break;
        }
    }
    // zip_fclose reports a checksum or consistency error found at the end of the member.
    whole = libzip().fclose(member) == 0 && whole;
    whole = whole && (!(stat.valid & ZIP_STAT_SIZE) || inflated == qint64(stat.size)) && part->flush();
    if (!whole) {
        part->remove();
        return false;
    }
    // The file keeps the time stored in the archive. The plain archive attribute is given to the file made
    // here, through its descriptor: changing the mode by name would reach, through a hard link planted at the
    // target name, a file outside the folder.
    if (stat.valid & ZIP_STAT_MTIME)
        part->setFileTime(QDateTime::fromSecsSinceEpoch(stat.mtime), QFileDevice::FileModificationTime);
#ifdef Q_OS_UNIX
    struct stat st;
    if (::fstat(part->handle(), &st) == 0 && !(st.st_mode & S_IWUSR))
        ::fchmod(part->handle(), (st.st_mode & 07777) | S_IWUSR);
#endif
    part->close();

    // rename() replaces a file, or a link itself, at the target name; it never follows a link.
    std::error_code error;
    std::filesystem::rename(part->filesystemFileName(), QFile(target).filesystemFileName(), error);
    if (error) {
        part->remove();
        return false;
    }
    return true;
}

// Turns libzip's fraction of the archive written into files packed of files in all. libzip asks whether to
// cancel for every block it reads; the caller hears of it when the count moves and otherwise every 50 ms,
// so a window stays responsive through a large file without being asked thousands of times.
struct PackingProgress
{
    PackingProgress(const Progress &progress, int files) : progress(progress), files(files) {}

    const Progress &progress;
    int files;
    double fraction = 0;
    int lastDone = -1;
    QElapsedTimer sinceLastCall;
    bool cancelled = false;

    static void onProgress(zip_t *, double fraction, void *state)
    {
        static_cast<PackingProgress *>(state)->fraction = fraction;
    }
    static int onCancelQuestion(zip_t *, void *state)
    {
        auto &self = *static_cast<PackingProgress *>(state);
        const int done = std::clamp(int(self.fraction * self.files), 0, self.files);
        if (done != self.lastDone || !self.sinceLastCall.isValid() || self.sinceLastCall.elapsed() >= 50) {
            self.lastDone = done;
            self.sinceLastCall.start();
            self.cancelled = !self.progress(done, self.files);
        }
        return self.cancelled ? 1 : 0;
    }
};

// The archive read into memory with the false UTF-8 flags cleared (ZipNameFlags), opened from there; the
// members that were flagged falsely are named in `falselyFlagged`. Only archives up to RepairLimit bytes.
constexpr qint64 RepairLimit = 64 << 20;

ZipHandle openRepaired(const QString &archive, QByteArray *bytes, QSet<quint64> *falselyFlagged)
{
    QFile file(archive);
    if (!QFileInfo(archive).isFile() || !file.open(QIODevice::ReadOnly) || file.size() > RepairLimit)
        return nullptr;
    auto repaired = ZipNameFlags::clearFalseUtf8Flags(file.readAll());
    if (!repaired)
        return nullptr;
    *bytes = std::move(repaired->bytes);
    *falselyFlagged = std::move(repaired->falselyFlagged);
    zip_error_t error;
    libzip().error_init(&error);
    zip_source_t *source = libzip().source_buffer_create(bytes->constData(), zip_uint64_t(bytes->size()), 0, &error);
    libzip().error_fini(&error);
    if (!source)
        return nullptr;
    libzip().error_init(&error);
    ZipHandle handle(libzip().open_from_source(source, ZIP_RDONLY, &error));
    libzip().error_fini(&error);
    if (!handle)
        libzip().source_free(source);
    return handle;
}

#ifdef Q_OS_WIN
const char *const cannotFindText = "Cannot find %s.\nThe Dll must be in the application directory, the path,\n"
                                   "the Windows directory or the Windows System directory.";
const char *const wrongVersionText =
    "%s has the wrong version number.\nInsure that you have the correct dll's installed, and that \n"
    "an older dll is not in your path or Windows System directory.";
#endif

// The texts name the library as the system knows it and the places its loader searched, not a Windows folder.
QString missingLibraryText()
{
#ifdef Q_OS_WIN
    return QString::fromLatin1(cannotFindText).replace(QStringLiteral("%s"), libzipName());
#else
    QString text = QStringLiteral("Cannot find %1.\nIt must be in a folder that the system's loader searches: one "
                                  "named in LD_LIBRARY_PATH or in /etc/ld.so.conf, or /lib or /usr/lib.")
                       .arg(libzipName());
    if (const QString said = libzipLoadError(); !said.isEmpty())
        text += QStringLiteral("\nThe loader said: ") + said;
    return text;
#endif
}

QString wrongLibraryText(const char *runtimeVersion)
{
#ifdef Q_OS_WIN
    Q_UNUSED(runtimeVersion);
    return QString::fromLatin1(wrongVersionText).replace(QStringLiteral("%s"), libzipName());
#else
    QString text = QStringLiteral("%1 has the wrong version number: %2, where Cartling was built for %3.\nInstall "
                                  "libzip %4, and make sure that no other copy comes first in LD_LIBRARY_PATH or "
                                  "/etc/ld.so.conf.")
                       .arg(libzipName(), QString::fromUtf8(runtimeVersion), QStringLiteral(LIBZIP_VERSION),
                            QString::number(LIBZIP_VERSION_MAJOR) + QStringLiteral(".x"));
    if (const QString file = libzipFile(); !file.isEmpty())
        text += QStringLiteral("\nIt was loaded from ") + QDir::toNativeSeparators(file) + u'.';
    return text;
#endif
}

} // namespace

int zipLevel(const QString &levelText)
{
    if (!levelText.isEmpty() && levelText[0] >= u'1' && levelText[0] <= u'9')
        return levelText[0].unicode() - u'0';
    return 6;
}

void setZipOptions(const ZipOptionsInput &input)
{
    QString root = input.romFolder;
    if (!root.isEmpty() && !root.endsWith(u'/'))
        root += u'/';
    g_options = {root, input.junkDirectoryNames, zipLevel(input.levelText)};
}

int zipFiles(const QString &archive, const QStringList &names, const Progress &progress)
{
    if (archive.trimmed().isEmpty() || names.isEmpty())
        return 0;
    const ZipOptions options = g_options;
    int error = 0;
    // A file that is no ZIP archive makes the open fail, so it is never overwritten.
    ZipHandle handle(libzip().open(zipFileName(archive).constData(), ZIP_CREATE, &error));
    if (!handle)
        return 0;

    const QString archiveFile = QFileInfo(archive).canonicalFilePath();
    QSet<QString> stored;
    int added = 0;
    for (const QString &name : names) {
        const QString source = sourcePath(name, options);
        // Files are read only when the archive is closed; one that cannot be read now is left out rather
        // than making the whole archive fail.
        if (!readable(source) || (!archiveFile.isEmpty() && QFileInfo(source).canonicalFilePath() == archiveFile))
            continue;
        const QString entry = storedName(source, options);
        if (entry.isEmpty() || stored.contains(entry))
            continue;
        zip_source_t *data = libzip().source_file(handle.get(), zipFileName(source).constData(), 0, 0);
        if (!data)
            continue;
        const zip_int64_t index =
            libzip().file_add(handle.get(), entry.toUtf8().constData(), data, ZIP_FL_OVERWRITE | ZIP_FL_ENC_UTF_8);
        if (index < 0) {
            libzip().source_free(data);
            continue;
        }
        libzip().set_file_compression(handle.get(), zip_uint64_t(index), ZIP_CM_DEFLATE, zip_uint32_t(options.level));
        stored.insert(entry);
        ++added;
    }
    if (added == 0)
        return 0;

    PackingProgress packing(progress, added);
    if (progress) {
        libzip().register_progress_callback_with_state(handle.get(), 0.001, &PackingProgress::onProgress, nullptr,
                                                       &packing);
        libzip().register_cancel_callback_with_state(handle.get(), &PackingProgress::onCancelQuestion, nullptr,
                                                     &packing);
    }
    // libzip writes a temporary file and renames it over the archive; when that fails the archive on disk
    // stays as it was and no file is reported as archived.
    zip_t *raw = handle.release();
    if (libzip().close(raw) != 0) {
        libzip().discard(raw);
        return 0;
    }
    goOn(progress, added, added);
    for (int i = 0; i < added; ++i)
        showMessage(QStringLiteral("La Rom ha sido Comprimida Exitosamente"));
    return added;
}

bool archiveHolds(const QString &archive, const QString &file)
{
    const QString source = sourcePath(file, g_options);
    QFile original(source);
    if (!original.open(QIODevice::ReadOnly))
        return false;
    int error = 0;
    ZipHandle handle(libzip().open(zipFileName(archive).constData(), ZIP_RDONLY | ZIP_CHECKCONS, &error));
    if (!handle)
        return false;
    const zip_int64_t index = libzip().name_locate(handle.get(), storedName(source, g_options).toUtf8().constData(), 0);
    zip_stat_t stat;
    libzip().stat_init(&stat);
    if (index < 0 || libzip().stat_index(handle.get(), zip_uint64_t(index), 0, &stat) != 0 ||
        !(stat.valid & ZIP_STAT_SIZE) || qint64(stat.size) != original.size())
        return false;
    zip_file_t *member = libzip().fopen_index(handle.get(), zip_uint64_t(index), 0);
    if (!member)
        return false;
    static constexpr qint64 chunk = 256 * 1024;
    const auto packed = std::make_unique<char[]>(chunk);
    const auto plain = std::make_unique<char[]>(chunk);
    bool same = true;
    for (;;) {
        const zip_int64_t n = libzip().fread(member, packed.get(), chunk);
        if (n <= 0) {
            same = n == 0 && original.read(plain.get(), 1) == 0;
            break;
        }
        if (original.read(plain.get(), n) != n || std::memcmp(packed.get(), plain.get(), size_t(n)) != 0) {
            same = false;
            break;
        }
    }
    // zip_fclose checks the member's checksum.
    return libzip().fclose(member) == 0 && same;
}

bool extractTo(const QString &archive, const QString &folder, const ExtractionLimits &limits, const Progress &progress)
{
    FileAttributes::makePlainArchive(archive);
    QByteArray repairedBytes; // outlives the handle that may read from it
    QSet<quint64> falselyFlagged;
    int error = 0;
    ZipHandle handle(libzip().open(zipFileName(archive).constData(), ZIP_RDONLY, &error));
    // libzip refuses a whole archive when one name flagged as UTF-8 is not: such members are left out instead.
    if (!handle && error == ZIP_ER_INCONS)
        handle = openRepaired(archive, &repairedBytes, &falselyFlagged);
    if (!handle)
        return true;

    const QString prefix = folder.isEmpty() || folder.endsWith(u'/') ? folder : folder + u'/';
    const zip_int64_t count = std::min<zip_int64_t>(libzip().get_num_entries(handle.get(), 0), limits.maxMembers);
    qint64 budget = limits.maxArchiveBytes;
    for (zip_int64_t i = 0; i < count && budget > 0; ++i) {
        if (!goOn(progress, int(i), int(count)))
            return false;
        zip_stat_t stat;
        libzip().stat_init(&stat);
        // Flags 0: the name is decoded by libzip's guess (UTF-8 when flagged, else CP437) into UTF-8.
        if (falselyFlagged.contains(quint64(i)) || libzip().stat_index(handle.get(), zip_uint64_t(i), 0, &stat) != 0 ||
            !(stat.valid & ZIP_STAT_NAME))
            continue;
        if ((stat.valid & ZIP_STAT_ENCRYPTION_METHOD) && stat.encryption_method != ZIP_EM_NONE)
            continue;
        const QString name = withoutControlCharacters(flatName(QString::fromUtf8(stat.name)));
        if (name.isEmpty() || name == u"." || name == u".." || isSpecialMember(handle.get(), zip_uint64_t(i)))
            continue;
        if (stat.valid & ZIP_STAT_SIZE) {
            if (stat.size > zip_uint64_t(limits.maxMemberBytes))
                continue;
            if (stat.size > zip_uint64_t(budget))
                break;
        }
        qint64 inflated = 0;
        extractMember(handle.get(), stat, prefix, prefix + name, std::min(limits.maxMemberBytes, budget), inflated);
        budget -= inflated;
    }
    return goOn(progress, int(count), int(count));
}

std::optional<QString> checkZipLibraryVersion(const char *runtimeVersion)
{
    if (!runtimeVersion || !*runtimeVersion)
        return missingLibraryText();
    bool ok = false;
    const int major = QByteArray(runtimeVersion).split('.').constFirst().toInt(&ok);
    if (!ok || major != LIBZIP_VERSION_MAJOR)
        return wrongLibraryText(runtimeVersion);
    return std::nullopt;
}

std::optional<QString> checkZipLibrary()
{
    const LibzipFunctions *functions = loadedLibzip();
    return checkZipLibraryVersion(functions ? functions->libzip_version() : nullptr);
}

QByteArray zipFileName(const QString &path)
{
#ifdef Q_OS_WIN
    return path.toUtf8(); // libzip takes UTF-8 names on Windows
#else
    return QFile::encodeName(path);
#endif
}
