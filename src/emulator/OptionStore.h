#pragma once

#include "settings/Keys.h"

#include <QString>

// Stores an option dialog's keys the moment a control changes. While the dialog is being created, setting its
// controls runs handlers that store values the file already holds; those writes are left out, so that
// start-up leaves the settings file as it found it (and a read-only one raises nothing).
class OptionStore
{
public:
    void write(const BoolKey &key, bool value);
    void write(const IntKey &key, int value);
    void write(const StringKey &key, const QString &value);

    // The creation steps run between the two.
    void beginStartup() { m_starting = true; }
    void endStartup() { m_starting = false; }

private:
    bool m_starting = false;
};

// A path or folder that Zibo.cfg cannot carry: one that would split its line in two, or one holding a
// character that has no Windows-1252 byte (the emulator reads single bytes). Shows why it is refused and
// answers true.
bool refusedForConfig(const QString &path);
// Whether a path stored earlier can reach Zibo.cfg as it stands; one that cannot is left out of it.
bool fitsConfig(const QString &path);
