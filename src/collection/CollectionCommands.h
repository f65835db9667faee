#pragma once

#include "collection/DatCatalog.h"
#include "collection/DatRenamer.h"
#include "collection/DumpCheck.h"
#include "collection/HashCache.h"
#include "collection/RenameLog.h"
#include "platform/WorkerFailure.h"

#include <QObject>
#include <QStringList>
#include <functional>
#include <memory>

class QThread;
class QWidget;

// The commands that check the collection against DAT files: "Cargar DAT…", "Quitar los DAT cargados",
// "Verificar colección", "Renombrar según DAT" and "Deshacer último cambio de nombres", and what the ROM list and
// the game's details show of the result. The DATs stored in Cartling.ini and the hashes of the last verification
// are read on a worker thread when the object is made; checksChanged() tells when they are in.
class CollectionCommands : public QObject
{
    Q_OBJECT
public:
    // The full paths of the files the ROM list shows, in its order.
    using ListedFiles = std::function<QStringList()>;
    // Reads the ROM folder again after files were renamed.
    using RereadList = std::function<void()>;

    CollectionCommands(QWidget *parent, ListedFiles listedFiles, RereadList rereadList);
    ~CollectionCommands() override;

    // Whether "Quitar los DAT cargados" and "Deshacer último cambio de nombres" have anything to do.
    bool hasDats() const { return !m_datPaths.isEmpty(); }
    bool canUndo() const { return m_canUndo; }

    // "Cargar DAT…": DAT files chosen in a file dialog are added to the list and read.
    void loadDat();
    // The same for given files. A DAT that cannot be used is reported and left out of the list.
    void addDats(const QStringList &paths);
    // "Quitar los DAT cargados": the list is emptied; every file shows as not checked again.
    void forgetDats();
    // "Verificar colección": every listed file hashed on a worker thread with progress and "Cancelar".
    void verify();
    // "Renombrar según DAT": the renames shown first, then made after the user's consent.
    void renameToDat();
    // "Deshacer último cambio de nombres".
    void undoLastRename();

    // How a file stands against the loaded DATs; "not checked" while it was not verified or changed since.
    DumpCheck checkOf(const QString &path) const;
    // The lines the selected game's details add: its state (while DATs are loaded), then what its cartridge header
    // says.
    QStringList detailLines(const QString &path) const;

    // Waits until the DATs of the settings file are read (the commands wait for it themselves). Raises FatalError
    // with the reading's error when it failed (the ZIP library missing for a zipped DAT).
    void finishLoading();

signals:
    // Marks of any row may have changed: DATs loaded or removed, files verified or renamed.
    void checksChanged();
    // hasDats() or canUndo() may have changed.
    void availabilityChanged();

private:
    void startLoading();
    void updateActions();
    void showDatFailures(const QList<DatReader::DatError> &failures);
    // False, with a message, when no DAT is loaded.
    bool haveDats();
    // The files of a run were renamed: their checks follow them and the list is read again.
    void renamed(const DatRenamer::Outcome &outcome);
    // The closing report of a run: the summary, then a line for each thing left behind.
    void showReport(const QString &summary, const QStringList &notes);

    QWidget *m_parent;
    ListedFiles m_listedFiles;
    RereadList m_rereadList;
    QStringList m_datPaths;
    std::shared_ptr<const DatCatalog> m_catalog;
    HashCache m_cache;
    // The start-up reading, handed over to the window's thread when it ends.
    struct Loaded
    {
        DatCatalog::LoadResult dats;
        HashCache cache;
        bool canUndo = false; // the rename log is read there too
        WorkerFailure failure;
    };
    QThread *m_loader = nullptr;
    std::shared_ptr<Loaded> m_loaded;
    bool m_canUndo = false;
    mutable QString m_headerPath;
    mutable HashCache::Stamp m_headerStamp;
    mutable QStringList m_headerLines;
};
