#include "library/PlayRecords.h"

#include "platform/ErrorHandler.h"
#include "settings/BaseFolder.h"
#include "settings/DataIniFile.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>

namespace {

const QString kFavourite = QStringLiteral("Favorito");
const QString kLast = QStringLiteral("Ultima");
const QString kLaunches = QStringLiteral("Veces");
const QString kSeconds = QStringLiteral("Segundos");

PlayRecord readRecord(const DataIniFile &file, const QString &section)
{
    PlayRecord record;
    record.favourite = file.readInteger(section, kFavourite, 0) == 1;
    const QDateTime last = QDateTime::fromString(file.readString(section, kLast, QString()), Qt::ISODate);
    if (last.isValid() && last.date().year() >= 1970)
        record.lastPlayed = last;
    record.launches = qMax(0, file.readInteger(section, kLaunches, 0));
    bool ok = false;
    const qint64 seconds = file.readString(section, kSeconds, QString()).toLongLong(&ok);
    record.secondsPlayed = ok && seconds > 0 ? seconds : 0;
    return record;
}

// The lock beside the file, so two Cartling processes take turns at reading and writing it.
QString lockPathFor(const QString &fileName)
{
    const QFileInfo info(fileName);
    return info.dir().filePath(u'.' + info.fileName() + QStringLiteral(".cartling-lock"));
}

} // namespace

QString PlayRecords::defaultFileName()
{
    return BaseFolder::file(QStringLiteral("Partidas.ini"));
}

PlayRecords::PlayRecords(QString fileName) : m_fileName(std::move(fileName)) {}

void PlayRecords::readIfChanged() const
{
    const QFileInfo info(m_fileName);
    const qint64 size = info.exists() ? info.size() : -1;
    const QDateTime modified = info.exists() ? info.lastModified() : QDateTime();
    if (size == m_readSize && modified == m_readModified)
        return;
    m_records.clear();
    m_readSize = size;
    m_readModified = modified;
    if (size < 0)
        return;
    try {
        const DataIniFile file(m_fileName);
        for (const QString &section : file.readSections())
            m_records.insert(key(section), readRecord(file, section));
    } catch (const CartlingError &) {
        // An unreadable file shows no records; writing one reports it.
        m_records.clear();
    }
}

const QHash<QString, PlayRecord> &PlayRecords::all() const
{
    readIfChanged();
    return m_records;
}

PlayRecord PlayRecords::record(const QString &stem) const
{
    return all().value(key(stem));
}

template <typename F> void PlayRecords::underLock(F edit)
{
    QLockFile lock(lockPathFor(m_fileName));
    lock.setStaleLockTime(10000);
    if (!lock.tryLock(5000))
        throw CartlingError(QStringLiteral("Unable to write to %1").arg(QDir::toNativeSeparators(m_fileName)));
    {
        DataIniFile file(m_fileName);
        edit(file);
        file.updateFile();
    }
    m_readSize = -2; // read again at the next look
}

template <typename F> void PlayRecords::change(const QString &stem, F edit)
{
    if (stem.isEmpty())
        return;
    underLock([&](DataIniFile &file) {
        PlayRecord record = readRecord(file, stem);
        edit(record);
        file.writeString(stem, kFavourite, record.favourite ? QStringLiteral("1") : QStringLiteral("0"));
        if (record.played())
            file.writeString(stem, kLast, record.lastPlayed.toUTC().toString(Qt::ISODate));
        file.writeString(stem, kLaunches, QString::number(record.launches));
        file.writeString(stem, kSeconds, QString::number(record.secondsPlayed));
    });
}

QList<bool> PlayRecords::moveRecords(const QList<std::pair<QString, QString>> &moves)
{
    QList<bool> moved(moves.size(), false);
    if (moves.isEmpty())
        return moved;
    underLock([&](DataIniFile &file) {
        for (qsizetype i = 0; i < moves.size(); ++i)
            moved[i] = file.moveSection(moves[i].first, moves[i].second);
    });
    return moved;
}

void PlayRecords::setFavourite(const QString &stem, bool favourite)
{
    change(stem, [favourite](PlayRecord &record) { record.favourite = favourite; });
}

void PlayRecords::recordLaunch(const QString &stem, const QDateTime &when)
{
    change(stem, [&when](PlayRecord &record) {
        record.lastPlayed = when;
        ++record.launches;
    });
}

void PlayRecords::recordPlay(const QString &stem, qint64 seconds)
{
    if (seconds <= 0)
        return;
    change(stem, [seconds](PlayRecord &record) { record.secondsPlayed += seconds; });
}
