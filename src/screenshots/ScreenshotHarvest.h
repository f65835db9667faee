#pragma once

#include "screenshots/ScreenshotOptions.h"

#include <QDateTime>
#include <QString>

// Collects the emulator's screenshot: one step per timer tick finds "ZIBO0000.BMP" at the last existing
// of the 13 places, files it in the shots folder under the selected game's stem, converts it to JPEG when
// so set, and deletes the emulator's file. A file is taken only when it is a whole bitmap that has not
// changed since the previous tick, so a shot the emulator is still writing waits, and the emulator's
// file is deleted only once the shot is safely filed: no shot is ever lost.
class ScreenshotHarvest
{
public:
    enum class Outcome
    {
        Off,              // the switch is off or no game is selected: nothing looked at
        NoShot,           // none of the places holds a file
        Waiting,          // a file seen for the first time, still changing, or shorter than its header says
        Damaged,          // a whole file that is no bitmap that can be decoded: left where it is
        Filed,            // filed (and converted when so set); the emulator's file is gone
        CopyFailed,       // the shots folder refused the bitmap: the emulator's file stays
        ConversionFailed, // the bitmap is filed but the JPEG could not be written: the emulator's file stays
    };

    struct Result
    {
        Outcome outcome = Outcome::Off;
        QString source;  // the emulator's file that was looked at
        QString picture; // the filed picture that stays: the JPEG when converted, else the bitmap
        // A picture was written into the shots folder, so the game picture is to be reloaded.
        bool pictureChanged() const { return outcome == Outcome::Filed || outcome == Outcome::ConversionFailed; }
    };

    // The base folder and the settings file are read on every step; nothing else is cached.
    explicit ScreenshotHarvest(QString baseFolder = {}, QString settingsPath = {});

    // One tick. `selectedRom` is the full path of the selected list entry, empty when none is selected.
    Result step(bool switchOn, const QString &selectedRom, const ScreenshotOptions &options);

    // The filed bitmap of a game: shots folder + "/" + stem + ".bmp". An existing file whose name differs
    // only in case is reused, so a new shot replaces the old one as it does on a case-blind system.
    static QString filedBitmapPath(const QString &baseFolder, const QString &romPath);

private:
    // A file whose size and time of change are the same at two ticks in a row is no longer being written.
    bool settled(const QString &source);

    QString m_baseFolder;
    QString m_settingsPath;
    struct Sighting
    {
        QString path;
        qint64 size = -1;
        QDateTime modified;
        bool damaged = false; // decoded once and refused: not read again while unchanged
    };
    Sighting m_seen;
};
