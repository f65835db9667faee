#include "StandInSession.h"

#include "platform/TextEncoding.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

StandInSession StandInSession::gather(const QStringList &arguments, const QString &ownFolder,
                                      const QString &workingFolder)
{
    StandInSession session;
    session.arguments = arguments;
    session.ownFolder = ownFolder;
    session.workingFolder = workingFolder;
    session.configPath = QDir(ownFolder).filePath(QStringLiteral("Zibo.cfg"));

    QFile config(session.configPath);
    if (!config.exists())
        session.configProblem = QStringLiteral("There is no Zibo.cfg in %1.").arg(QDir::toNativeSeparators(ownFolder));
    else if (!config.open(QIODevice::ReadOnly))
        session.configProblem = QStringLiteral("Zibo.cfg cannot be read: %1").arg(config.errorString());
    else
        session.config = config.readAll();

    session.game = readGameHeader(session.romPath());
    return session;
}

QStringList StandInSession::options() const
{
    QStringList options;
    if (!config)
        return options;
    for (const QString &line : TextEncoding::splitLines(TextEncoding::decode(*config))) {
        const QString text = line.trimmed();
        if (!text.isEmpty() && !text.startsWith(u';'))
            options.append(line);
    }
    return options;
}

QString StandInSession::screenshotPath() const
{
    return QDir(ownFolder).filePath(QStringLiteral("ZIBO0000.BMP"));
}

QByteArray StandInSession::record() const
{
    QJsonObject object;
    object.insert(QStringLiteral("arguments"), QJsonArray::fromStringList(arguments));
    object.insert(QStringLiteral("workingFolder"), workingFolder);
    object.insert(QStringLiteral("config"),
                  config ? QJsonValue(QString::fromLatin1(config->toBase64())) : QJsonValue(QJsonValue::Null));
    object.insert(QStringLiteral("configPath"), configPath);
    object.insert(QStringLiteral("title"), game.title);
    object.insert(QStringLiteral("titleProblem"), game.problem);
    return QJsonDocument(object).toJson(QJsonDocument::Compact) + '\n';
}

bool appendRecord(const StandInSession &session, const QString &file, QString *error)
{
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered)) {
        *error = out.errorString();
        return false;
    }
    // One write per record, so two stand-ins started together never mix their lines.
    const QByteArray line = session.record();
    if (out.write(line) != line.size() || !out.flush()) {
        *error = out.errorString();
        return false;
    }
    return true;
}
