#include "saves/SaveCopies.h"

#include "platform/WholeFile.h"
#include "saves/SaveContent.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace {

const QString kTimeFormat = QStringLiteral("yyyy-MM-dd HH-mm-ss");
constexpr qsizetype kTimeLength = 19;

QString clockBeside(const QString &save)
{
    const QFileInfo info(save);
    return info.path() + u'/' + info.completeBaseName() + QStringLiteral(".rtc");
}

// A copy stands as the emulator stored it: a RetroArch save with its clock file, else a save with any footer.
SavePlace placeOf(const SaveCopies::Copy &copy)
{
    const bool separate = copy.save.endsWith(QStringLiteral(".srm"), Qt::CaseInsensitive);
    return {copy.save, separate ? clockBeside(copy.save) : QString(),
            separate ? SavePlace::Clock::SeparateFile : SavePlace::Clock::InFile};
}

} // namespace

SaveCopies::SaveCopies(const QString &baseFolder, const QString &rom) : m_folder(folderFor(baseFolder, rom)) {}

QString SaveCopies::folderFor(const QString &baseFolder, const QString &rom)
{
    return baseFolder + QStringLiteral("/Copias/") + QFileInfo(rom).completeBaseName();
}

SaveCopies::Outcome SaveCopies::keep(const SavePlace &place, const QDateTime &now)
{
    m_error.clear();
    if (!QFileInfo(place.save).isFile())
        return Outcome::NoSave;
    const std::optional<QByteArray> save = WholeFile::read(place.save);
    if (!save) {
        m_error = QDir::toNativeSeparators(place.save);
        return Outcome::Failed;
    }
    const bool withClock = place.clockForm == SavePlace::Clock::SeparateFile && QFileInfo(place.clock).isFile();
    const std::optional<QByteArray> clock =
        withClock ? WholeFile::read(place.clock) : std::optional<QByteArray>(QByteArray());
    if (!clock) {
        m_error = QDir::toNativeSeparators(place.clock);
        return Outcome::Failed;
    }

    // Never the same bytes twice: sizes first, so most copies are not read at all.
    for (const Copy &copy : list()) {
        if (copy.size != save->size() || QFileInfo::exists(copy.clock) != withClock)
            continue;
        if (WholeFile::read(copy.save) == save && (!withClock || WholeFile::read(copy.clock) == clock))
            return Outcome::Unchanged;
    }

    if (!QDir().mkpath(m_folder)) {
        m_error = QDir::toNativeSeparators(m_folder);
        return Outcome::Failed;
    }
    const QString suffix = QFileInfo(place.save).suffix().toLower();
    QString name = m_folder + u'/' + now.toString(kTimeFormat);
    // Two copies within one second (a launch and an emulator that ended at once) both stay.
    for (int n = 2; QFileInfo::exists(name + u'.' + suffix); ++n)
        name = m_folder + u'/' + now.toString(kTimeFormat) + QStringLiteral(" (%1)").arg(n);
    // The clock first: a copy is listed by its save, which then never stands without its clock.
    if (withClock && !WholeFile::writeNew(name + QStringLiteral(".rtc"), *clock)) {
        m_error = QDir::toNativeSeparators(name + QStringLiteral(".rtc"));
        return Outcome::Failed;
    }
    if (!WholeFile::writeNew(name + u'.' + suffix, *save)) {
        QFile::remove(name + QStringLiteral(".rtc"));
        m_error = QDir::toNativeSeparators(name + u'.' + suffix);
        return Outcome::Failed;
    }
    prune();
    return Outcome::Copied;
}

QList<SaveCopies::Copy> SaveCopies::list() const
{
    QList<Copy> copies;
    const QFileInfoList files =
        QDir(m_folder).entryInfoList({QStringLiteral("*.sav"), QStringLiteral("*.srm")}, QDir::Files, QDir::Name);
    for (const QFileInfo &file : files) {
        QDateTime taken = QDateTime::fromString(file.completeBaseName().left(kTimeLength), kTimeFormat);
        if (!taken.isValid())
            taken = file.lastModified();
        const QString clock = clockBeside(file.filePath());
        copies.append({file.filePath(), QFileInfo::exists(clock) ? clock : QString(), taken, file.size()});
    }
    // Within one second the second copy is " (2)", the third " (3)"...
    const auto sequence = [](const Copy &copy) {
        const QString name = QFileInfo(copy.save).completeBaseName();
        return name.endsWith(u')') ? name.mid(kTimeLength + 2).chopped(1).toInt() : 1;
    };
    std::stable_sort(copies.begin(), copies.end(), [&sequence](const Copy &a, const Copy &b) {
        return a.taken != b.taken ? a.taken > b.taken : sequence(a) > sequence(b);
    });
    return copies;
}

void SaveCopies::prune()
{
    const QList<Copy> copies = list();
    // The newest ones and the very first.
    for (qsizetype n = Kept; n < copies.size() - 1; ++n) {
        QFile::remove(copies[n].save);
        if (!copies[n].clock.isEmpty())
            QFile::remove(copies[n].clock);
    }
}

bool SaveCopies::restore(const Copy &copy, const SavePlace &place, const QDateTime &now)
{
    // The copy is read before the current save is kept: keeping it may drop this very copy from the 20 newest.
    const SavePlace from = placeOf(copy);
    const qint64 at = now.toSecsSinceEpoch();
    const bool sameForm =
        QFileInfo(from.save).suffix().compare(QFileInfo(place.save).suffix(), Qt::CaseInsensitive) == 0;
    const std::optional<QByteArray> save = WholeFile::read(from.save);
    const std::optional<QByteArray> clock = copy.clock.isEmpty() ? std::nullopt : WholeFile::read(copy.clock);
    const std::optional<SaveContent> content = SaveContent::read(from, at);
    if (!save || !content) {
        m_error = QDir::toNativeSeparators(from.save);
        return false;
    }
    if (keep(place, now) == Outcome::Failed)
        return false;
    QDir().mkpath(QFileInfo(place.save).path());
    // The same emulator's form: the copy's bytes as they are; another's: the battery bytes and the clock
    // told as that emulator tells it.
    const bool written = sameForm ? (!clock || place.clock.isEmpty() || WholeFile::write(place.clock, *clock)) &&
                                        WholeFile::write(place.save, *save)
                                  : content->write(place, at);
    if (!written)
        m_error = QDir::toNativeSeparators(place.save);
    return written;
}
