#include "emulator/RetroArchRestore.h"

#include "platform/WholeFile.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSet>

#include <algorithm>

namespace {

std::optional<QByteArray> bytesOf(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

QJsonArray pendingList(const QString &baseFolder)
{
    return QJsonDocument::fromJson(bytesOf(RetroArchRestore::pendingFile(baseFolder)).value_or(QByteArray()))
        .object()
        .value(QStringLiteral("launches"))
        .toArray();
}

// The records of launches made by this very process whose end is still to be seen, by base folder and number:
// not restored early.
QSet<QString> &running()
{
    static QSet<QString> launches;
    return launches;
}

QString launchKey(const QString &baseFolder, qint64 number)
{
    return baseFolder + u'#' + QString::number(number);
}

void storePendingList(const QString &baseFolder, const QJsonArray &list)
{
    const QString file = RetroArchRestore::pendingFile(baseFolder);
    if (list.isEmpty()) {
        QFile::remove(file);
        return;
    }
    WholeFile::write(file, QJsonDocument(QJsonObject{{QStringLiteral("launches"), list}}).toJson());
}

} // namespace

RetroArchRestore RetroArchRestore::take(const QString &configFile, const RetroArchConfig::Entries &appended,
                                        const QString &cheatFile)
{
    RetroArchRestore restore;
    restore.m_configFile = configFile;
    const QHash<QString, QString> user = RetroArchConfig::read(configFile);
    for (const auto &[key, value] : appended) {
        const auto it = user.constFind(key);
        restore.m_keys.append({key, it == user.constEnd() ? std::nullopt : std::optional(it.value()), value});
    }
    restore.m_cheatFile = cheatFile;
    if (!cheatFile.isEmpty())
        restore.m_cheatBefore = bytesOf(cheatFile);
    return restore;
}

bool RetroArchRestore::sameValue(const QString &written, const QString &given)
{
    if (written == given || RetroArchConfig::expandedPath(written) == RetroArchConfig::expandedPath(given))
        return true;
    bool writtenIsNumber = false;
    bool givenIsNumber = false;
    const double a = written.toDouble(&writtenIsNumber);
    const double b = given.toDouble(&givenIsNumber);
    return writtenIsNumber && givenIsNumber && qAbs(a - b) < 0.0005;
}

void RetroArchRestore::restore() const
{
    restoreConfig();
    if (m_cheatFile.isEmpty())
        return;
    const std::optional<QByteArray> now = bytesOf(m_cheatFile);
    if (!m_cheatBefore)
        QFile::remove(m_cheatFile);
    else if (now != m_cheatBefore)
        WholeFile::write(m_cheatFile, *m_cheatBefore);
}

void RetroArchRestore::restoreConfig() const
{
    const std::optional<QByteArray> text = m_keys.isEmpty() ? std::nullopt : bytesOf(m_configFile);
    if (!text)
        return;
    // Line by line, so every other line stays byte for byte.
    QList<QByteArray> lines;
    bool changed = false;
    for (const QByteArray &line : text->split('\n')) {
        const QHash<QString, QString> entry = RetroArchConfig::parse(line);
        const auto key =
            entry.isEmpty() ? m_keys.cend() : std::find_if(m_keys.cbegin(), m_keys.cend(), [&entry](const Key &k) {
                return k.name == entry.cbegin().key();
            });
        if (key == m_keys.cend() || !sameValue(entry.cbegin().value(), key->ours) ||
            (key->before && sameValue(*key->before, key->ours))) {
            lines.append(line);
            continue;
        }
        changed = true;
        if (key->before) {
            const QByteArray end = line.endsWith('\r') ? "\r" : "";
            lines.append(RetroArchConfig::format({{key->name, *key->before}}).chopped(1) + end);
        }
    }
    if (changed)
        WholeFile::write(m_configFile, lines.join('\n'));
}

QJsonObject RetroArchRestore::toJson() const
{
    QJsonArray keys;
    for (const Key &key : m_keys) {
        QJsonObject entry{{QStringLiteral("key"), key.name}, {QStringLiteral("ours"), key.ours}};
        if (key.before)
            entry.insert(QStringLiteral("before"), *key.before);
        keys.append(entry);
    }
    QJsonObject json{{QStringLiteral("config"), m_configFile}, {QStringLiteral("keys"), keys}};
    if (!m_cheatFile.isEmpty())
        json.insert(QStringLiteral("cheats"), m_cheatFile);
    if (m_cheatBefore)
        json.insert(QStringLiteral("cheatsBefore"), QString::fromLatin1(m_cheatBefore->toBase64()));
    return json;
}

RetroArchRestore RetroArchRestore::fromJson(const QJsonObject &json)
{
    RetroArchRestore restore;
    restore.m_configFile = json.value(QStringLiteral("config")).toString();
    for (const QJsonValue &value : json.value(QStringLiteral("keys")).toArray()) {
        const QJsonObject entry = value.toObject();
        const QJsonValue before = entry.value(QStringLiteral("before"));
        restore.m_keys.append({entry.value(QStringLiteral("key")).toString(),
                               before.isString() ? std::optional(before.toString()) : std::nullopt,
                               entry.value(QStringLiteral("ours")).toString()});
    }
    restore.m_cheatFile = json.value(QStringLiteral("cheats")).toString();
    if (const QJsonValue before = json.value(QStringLiteral("cheatsBefore")); before.isString())
        restore.m_cheatBefore = QByteArray::fromBase64(before.toString().toLatin1());
    return restore;
}

QString RetroArchRestore::pendingFile(const QString &baseFolder)
{
    return baseFolder + QStringLiteral("/RetroArch/Restaurar.json");
}

qint64 RetroArchRestore::addPending(const QString &baseFolder, const RetroArchRestore &restore)
{
    QJsonArray list = pendingList(baseFolder);
    qint64 number = 1;
    for (const QJsonValue &value : list)
        number = qMax(number, qint64(value.toObject().value(QStringLiteral("number")).toDouble()) + 1);
    QJsonObject entry = restore.toJson();
    entry.insert(QStringLiteral("number"), double(number));
    list.append(entry);
    storePendingList(baseFolder, list);
    running().insert(launchKey(baseFolder, number));
    return number;
}

void RetroArchRestore::removePending(const QString &baseFolder, qint64 number)
{
    running().remove(launchKey(baseFolder, number));
    QJsonArray list = pendingList(baseFolder);
    for (qsizetype i = list.size() - 1; i >= 0; --i) {
        if (qint64(list[i].toObject().value(QStringLiteral("number")).toDouble()) == number)
            list.removeAt(i);
    }
    storePendingList(baseFolder, list);
}

void RetroArchRestore::restorePending(const QString &baseFolder)
{
    QJsonArray left;
    for (const QJsonValue &value : pendingList(baseFolder)) {
        const qint64 number = qint64(value.toObject().value(QStringLiteral("number")).toDouble());
        if (running().contains(launchKey(baseFolder, number)))
            left.append(value);
        else
            fromJson(value.toObject()).restore();
    }
    storePendingList(baseFolder, left);
}
