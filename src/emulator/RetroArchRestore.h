#pragma once

#include "emulator/RetroArchConfig.h"

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <optional>

// What one launch of RetroArch may leave in the user's own RetroArch files, and how it is put back once
// RetroArch has ended. RetroArch 1.14 saves the cheats of the game it ran into the user's cheats folder when it
// ends, so Cartling's codes would replace the user's own cheat file for the game; a RetroArch that saves its
// configuration with the appended values in it would keep Cartling's values as the user's settings. A value the
// user changed during the session, to anything other than Cartling's, is the user's and stays.
//
// Each launch's record waits in the base folder until its RetroArch has ended, so that a RetroArch that outlives
// Cartling is put right at the next launch of RetroArch.
class RetroArchRestore
{
public:
    // Records the values the appended file changes in the user's configuration file and the user's cheat file
    // for the game (empty: RetroArch gets no cheats and writes none).
    static RetroArchRestore take(const QString &configFile, const RetroArchConfig::Entries &appended,
                                 const QString &cheatFile);

    // Puts back what RetroArch changed: each key that holds Cartling's value gets the user's own back (or goes,
    // when the user had none), and the cheat file is what it was.
    void restore() const;

    QJsonObject toJson() const;
    static RetroArchRestore fromJson(const QJsonObject &json);

    // The records of launches whose end is still to be seen, in the base folder.
    static QString pendingFile(const QString &baseFolder);
    // Adds the record to the base folder's list; returns its number there.
    static qint64 addPending(const QString &baseFolder, const RetroArchRestore &restore);
    static void removePending(const QString &baseFolder, qint64 number);
    // Restores every record left from launches whose end Cartling did not see (not those of this process still
    // running) and takes them from the list.
    static void restorePending(const QString &baseFolder);

    // Whether RetroArch's text for a value is the value Cartling gave: paths as RetroArch writes them back
    // ("~/" for the home folder), numbers in its own format.
    static bool sameValue(const QString &written, const QString &given);

private:
    void restoreConfig() const;

    struct Key
    {
        QString name;
        std::optional<QString> before;
        QString ours;
    };
    QString m_configFile;
    QList<Key> m_keys;
    QString m_cheatFile;
    std::optional<QByteArray> m_cheatBefore;
};
