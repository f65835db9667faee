#pragma once

#include <QString>

// The title of one game as the change-title dialog edits it: the game's stem and the title to store under it.
class TitleChange
{
public:
    // The game of the file at `romPath`: its stem, and the title stored for it in Titulos.ini (the stem itself
    // when there is none). Raises CartlingError when the list cannot be read.
    void load(const QString &romPath);

    const QString &stem() const { return m_stem; }
    const QString &title() const { return m_title; }
    void setTitle(const QString &title) { m_title = title; }

    // Stores the title under the stem and writes Titulos.ini back; an empty title is stored empty, a title too
    // long for one line of the list is cut as the list cuts it. Nothing is stored for an empty stem (a file name
    // without a "."), which names no game. Raises CartlingError when the list cannot be read or written.
    void store() const;

private:
    QString m_stem;
    QString m_title;
};
