#include "collection/RenameLog.h"

#include "language/MessageTable.h"
#include "language/SafetyTexts.h"
#include "platform/ErrorHandler.h"
#include "platform/PrivateFile.h"
#include "settings/BaseFolder.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>

namespace {

constexpr qint64 SizeLimit = qint64(256) << 20;
const QString Kind = QStringLiteral("Cartling rename log");

const char *stateName(RenameLog::State state)
{
    switch (state) {
    case RenameLog::State::Started:
        return "started";
    case RenameLog::State::Done:
        return "done";
    case RenameLog::State::Undone:
        return "undone";
    }
    return "";
}

QJsonObject toJson(const RenameLog::Move &move)
{
    return {{"from", move.from}, {"to", move.to}, {"done", move.done}};
}

RenameLog::Move moveOf(const QJsonValue &value)
{
    const QJsonObject object = value.toObject();
    return {object.value("from").toString(), object.value("to").toString(), object.value("done").toBool()};
}

[[noreturn]] void notALog(const QString &file, const QString &reason)
{
    throw CartlingError(
        QStringLiteral("Unable to read the rename log %1: %2").arg(QDir::toNativeSeparators(file), reason));
}

} // namespace

QString RenameLog::defaultFile()
{
    return BaseFolder::file(QStringLiteral("CambiosDeNombre.json"));
}

void RenameLog::save(const QString &file) const
{
    QJsonArray fileMoves;
    for (const Move &move : files)
        fileMoves.append(toJson(move));
    QJsonArray stemMoves;
    for (const StemMove &stem : stems) {
        QJsonArray companionMoves;
        for (const Move &companion : stem.companions)
            companionMoves.append(toJson(companion));
        stemMoves.append(QJsonObject{{"from", stem.from},
                                     {"to", stem.to},
                                     {"titles", stem.titles},
                                     {"internalNames", stem.internalNames},
                                     {"records", stem.records},
                                     {"companions", companionMoves}});
    }
    const QJsonObject root{
        {"kind", Kind}, {"state", QString::fromLatin1(stateName(state))}, {"files", fileMoves}, {"stems", stemMoves}};
    try {
        PrivateFile::save(file, QJsonDocument(root).toJson(QJsonDocument::Indented));
    } catch (const PrivateFile::Error &error) {
        const auto refusal = error.refusal();
        if (refusal != PrivateFile::Error::Refusal::Link && refusal != PrivateFile::Error::Refusal::FolderNotOwn)
            throw;
        const MessageTable &texts = messageTable();
        QString text = texts
                           .text(refusal == PrivateFile::Error::Refusal::Link ? SafetyText::RenameLogIsLink
                                                                              : SafetyText::RenameLogFolderNotOwn)
                           .arg(QDir::toNativeSeparators(file));
        // The log is written before the first rename: refused then, the run does not begin.
        const bool begun = std::any_of(files.begin(), files.end(), [](const Move &move) { return move.done; });
        if (state == State::Started && !begun)
            text += u'\n' + texts.text(SafetyText::NothingRenamed);
        throw CartlingError(text);
    }
}

std::optional<RenameLog> RenameLog::load(const QString &file)
{
    std::optional<QByteArray> bytes;
    try {
        bytes = PrivateFile::load(file, SizeLimit);
    } catch (const PrivateFile::Error &error) {
        notALog(file, error.reason());
    }
    if (!bytes)
        return std::nullopt;
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(*bytes, &error);
    const QJsonObject root = document.object();
    if (document.isNull() || root.value("kind").toString() != Kind)
        notALog(file, error.error != QJsonParseError::NoError ? error.errorString() : QStringLiteral("not a log"));

    RenameLog log;
    const QString state = root.value("state").toString();
    log.state = state == u"done" ? State::Done : state == u"undone" ? State::Undone : State::Started;
    for (const QJsonValue &value : root.value("files").toArray())
        log.files.append(moveOf(value));
    for (const QJsonValue &value : root.value("stems").toArray()) {
        const QJsonObject object = value.toObject();
        StemMove stem{object.value("from").toString(),  object.value("to").toString(),
                      object.value("titles").toBool(),  object.value("internalNames").toBool(),
                      object.value("records").toBool(), {}};
        // Logs written before saves and states went along name only the shots.
        for (const char *list : {"shots", "companions"}) {
            for (const QJsonValue &companion : object.value(QLatin1String(list)).toArray())
                stem.companions.append(moveOf(companion));
        }
        log.stems.append(stem);
    }
    return log;
}
