#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The in-memory image of the emulator's Zibo.cfg: exactly 59 option lines, each option owning one slot.
// Slots are only ever replaced in place, so the file always has the same lines in the same order.
class ConfigTemplate
{
public:
    static constexpr int SlotCount = 59;

    ConfigTemplate();

    // Slots 0..58; a line break in the text is replaced by a blank, since one slot is one line of the file.
    void replace(int slot, const QString &text);
    const QString &line(int slot) const { return m_lines.at(slot); }
    const QStringList &lines() const { return m_lines; }

    // The 59 lines, each followed by CR LF, in Windows-1252 without a mark; a line holding a character that
    // has no byte there is left empty.
    QByteArray bytes() const;
    // Writes bytes() atomically. Raises CartlingError "Cannot create file <path>" when the file cannot be
    // written.
    void saveAs(const QString &path) const;

    static QStringList initialLines();
    // "Zibo.cfg" in the emulator folder as stored: the stored text ends in a separator, and one typed by hand
    // without it still names the folder. An empty folder gives the bare name, in the current folder. When that
    // folder exists but the user cannot write to it, "Zibo.cfg" in the base folder's "Zibo" folder instead.
    static QString fileIn(const QString &emulatorFolder);

private:
    QStringList m_lines;
};
