#pragma once

#include <QHash>
#include <QMultiHash>
#include <QString>
#include <QStringList>

// The filed shots of the shots folder, listed once, so that the pictures of thousands of games are found
// without a listing per game. Names match as the picture lookup matches them: the exact name first, then
// one that differs only in case.
class ShotIndex
{
public:
    ShotIndex() = default;
    // Lists the base folder's shots folder (found without regard to case); empty when there is none.
    static ShotIndex of(const QString &baseFolder);

    // The game's shots that exist, in the order the picture lookup tries them: the bitmap, then the JPEG.
    // A ".gb" and its ".zip" share them, since both have the same stem.
    QStringList shotsFor(const QString &romPath) const;

    const QString &folder() const { return m_folder; }
    qsizetype size() const { return m_first.size() + m_others.size(); }

private:
    QString find(const QString &name) const;

    QString m_folder;
    QHash<QString, QString> m_first;       // case-folded name -> the first name of the folder that folds to it
    QMultiHash<QString, QString> m_others; // the rare further names that differ from the first only in case
};
