#pragma once

#include "saves/SaveCopies.h"
#include "saves/SavePlace.h"

#include <QDialog>

class QPushButton;
class QTreeWidget;

// "Partidas guardadas…": the selected game's current save and its copies, newest first, with the time, the
// size and the emulator that wrote each. "Restaurar" puts the chosen copy in place for the emulator chosen now
// (the current save kept as a copy first), "Exportar…" writes it elsewhere, "Abrir carpeta" shows the copies'
// folder in the desktop's file manager.
class SavedGamesDialog : public QDialog
{
    Q_OBJECT
public:
    SavedGamesDialog(const QString &baseFolder, const QString &rom, const SavePlace &place, const QString &emulatorName,
                     QWidget *parent = nullptr);

    // The rows as shown: the current save first when there is one, then the copies.
    QTreeWidget *list() const { return m_list; }

private:
    void fill();
    void selectionChanged();
    void restoreChosen();
    void exportChosen();
    const SaveCopies::Copy *chosenCopy() const;

    SaveCopies m_copies;
    QString m_rom;
    SavePlace m_place;
    QString m_emulatorName;
    QList<SaveCopies::Copy> m_shown;
    bool m_currentShown = false;
    QTreeWidget *m_list = nullptr;
    QPushButton *m_restore = nullptr;
    QPushButton *m_export = nullptr;
};
