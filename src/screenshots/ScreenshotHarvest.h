#pragma once

#include "platform/FileLookup.h"
#include "screenshots/LaunchedGames.h"
#include "screenshots/ScreenshotOptions.h"

#include <QDateTime>
#include <QHash>
#include <QString>

// Collects the emulator's screenshot: one step per timer tick looks at "ZIBO0000.BMP" in the existing of the
// 13 places, from the last to the first, then at the PNG shots that the launched emulators left in Cartling's
// own picture folder, and files the first that is ready in the shots folder under its game's stem, converts it
// to JPEG when so set, and deletes the emulator's file. Zibo's bitmap goes under the game last launched in
// Zibo, else under the selected game; a PNG only under the launched game whose shot it is by its emulator's
// naming and time, and every other file of the picture folder is left alone. A file is taken only when it is a whole
// picture that has not changed since the previous tick, so a shot the emulator is still writing waits, and
// the emulator's file is deleted only once the shot is safely filed: no shot is ever lost. A file that waits
// or cannot be decoded does not keep the others from being filed.
class ScreenshotHarvest
{
public:
    enum class Outcome
    {
        Off,              // the switch is off, or no game is selected or launched: nothing looked at
        NoShot,           // none of the places holds a file
        Waiting,          // a file seen for the first time, still changing, or shorter than its header says
        Damaged,          // a whole file that is no picture that can be decoded: left where it is
        Unchanged,        // filed before with its file kept, or refused by the shots folder: taken again
                          // only once it changes
        Filed,            // filed (and converted when so set); the emulator's file is gone, unless kept
        CopyFailed,       // the shots folder refused the bitmap: the emulator's file stays
        ConversionFailed, // the bitmap is filed but the JPEG could not be written: the emulator's file stays
    };

    struct Result
    {
        Outcome outcome = Outcome::Off;
        QString source;  // the emulator's file that was looked at
        QString picture; // the filed picture that stays: the JPEG when converted, else the bitmap
        // Nothing waits to be filed: every file looked at is filed, damaged or refused. False while a file is
        // still changing, and after a tick that filed one, since another may follow.
        bool settled = false;
        // A picture was written into the shots folder, so the game picture is to be reloaded.
        bool pictureChanged() const { return outcome == Outcome::Filed || outcome == Outcome::ConversionFailed; }
    };

    // Ticks a file must stay unchanged before it is taken although its header says it is longer: some
    // writers store a wrong size. Such a file is filed but kept, since it may be damaged.
    static constexpr int TicksBeforeShortFileIsTaken = 5;

    // The base folder and the settings file are read on every step; of the folders only the case-blind
    // lookups are remembered, each until its folder changes.
    explicit ScreenshotHarvest(QString baseFolder = {}, QString settingsPath = {});

    // One tick. `selectedRom` is the full path of the selected list entry, empty when none is selected.
    Result step(bool switchOn, const QString &selectedRom, const ScreenshotOptions &options);

    // The games launched while the watch runs, whose shots are taken.
    LaunchedGames &launches() { return m_launches; }

    // The filed bitmap of a game: shots folder + "/" + stem + ".bmp". An existing file whose name differs
    // only in case is reused, so a new shot replaces the old one as it does on a case-blind system.
    static QString filedBitmapPath(const QString &baseFolder, const QString &romPath);

private:
    enum class Kind
    {
        Bitmap,
        Png,
    };
    struct Sighting
    {
        qint64 size = -1;
        QDateTime modified;
        int unchangedTicks = 0;
        bool damaged = false; // decoded once and refused: not read again while unchanged
        bool handled = false; // filed and kept, or the filing failed: not filed again while unchanged
    };

    // The file's sighting, renewed for this tick: its unchanged ticks count up while size and time stay.
    Sighting &observe(const QString &source);
    Result consider(const QString &source, Kind kind, const QString &base, const QString &game,
                    const ScreenshotOptions &options);
    Result file(const QString &source, const QByteArray &bitmap, bool keepSource, const QString &base,
                const QString &game, const ScreenshotOptions &options);

    QString m_baseFolder;
    QString m_settingsPath;
    QHash<QString, Sighting> m_seen;
    FileLookup::Cache m_folders;
    LaunchedGames m_launches;
};
