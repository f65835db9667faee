#pragma once

#include "platform/Progress.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>

// Files dropped onto the main window (a file manager's list of URLs): which of them are games to copy into the
// ROM folder, and the copy, which never replaces a file that the folder holds.
namespace RomDrop {

struct Sorted
{
    QStringList games;   // local files the list shows (ROMs and ZIP archives), in the order dropped
    QString folder;      // the local folder dropped alone, if one was
    QStringList refused; // everything else, as the user knows it: a local path, or the URL as it came
};
Sorted sort(const QList<QUrl> &urls);

struct Copied
{
    QStringList copied; // the new files' names, in the order copied
    QStringList taken;  // names the folder held already, in any case, or that an earlier game of the drop took
    QStringList failed; // files that could not be read, or not written whole
    int total = 0;
    bool cancelled = false;
};
// Copies each game into `folder` under its own name, unless the name is taken. Progress counts the games;
// cancelling stops before the next one.
Copied copyInto(const QStringList &games, const QString &folder, const Progress &progress = {});

// The one message that ends a drop: the cancel, the games left and those that failed, and what was refused;
// empty when every game was copied.
QString closingMessage(const Copied &copied, const QStringList &refused);

} // namespace RomDrop
