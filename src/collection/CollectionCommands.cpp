#include "collection/CollectionCommands.h"

#include "collection/BackgroundRun.h"
#include "collection/CartridgeHeader.h"
#include "collection/CollectionText.h"
#include "collection/CollectionVerifier.h"
#include "collection/DatRenamer.h"
#include "collection/RenamePreviewDialog.h"
#include "language/MessageTable.h"
#include "platform/ErrorHandler.h"
#include "platform/Messages.h"
#include "platform/ProgressWindow.h"

#include <QDir>
#include <QFileDialog>
#include <QThread>
#include <QWidget>

namespace {

QString caption(int text)
{
    return messageTable().text(text).remove(u'&');
}

} // namespace

CollectionCommands::CollectionCommands(QWidget *parent, ListedFiles listedFiles, RereadList rereadList)
    : QObject(parent), m_parent(parent), m_listedFiles(std::move(listedFiles)), m_rereadList(std::move(rereadList)),
      m_catalog(std::make_shared<DatCatalog>())
{
    startLoading();
}

CollectionCommands::~CollectionCommands()
{
    if (m_loader) {
        m_loader->wait();
        delete m_loader;
    }
}

void CollectionCommands::startLoading()
{
    m_datPaths = DatCatalog::storedList();
    auto loaded = std::make_shared<Loaded>();
    m_loaded = loaded;
    const QStringList paths = m_datPaths;
    m_loader = QThread::create([loaded, paths] {
        loaded->failure.run([&loaded, &paths] {
            loaded->dats = DatCatalog::loadAll(paths);
            loaded->cache.load();
            loaded->canUndo = DatRenamer::canUndo();
        });
    });
    connect(m_loader, &QThread::finished, this, guarded([this] { finishLoading(); }));
    m_loader->start();
}

void CollectionCommands::finishLoading()
{
    if (!m_loader)
        return;
    m_loader->wait();
    m_loader->deleteLater();
    m_loader = nullptr;
    const std::shared_ptr<Loaded> loaded = std::move(m_loaded);
    // Half a reading is no ground to work on: a verification would write its results over the stored ones.
    loaded->failure.raiseFatal();
    m_catalog = loaded->dats.catalog;
    m_cache = loaded->cache;
    m_canUndo = loaded->canUndo;
    emit availabilityChanged();
    emit checksChanged();
    showDatFailures(loaded->dats.failures);
}

void CollectionCommands::updateActions()
{
    m_canUndo = DatRenamer::canUndo();
    emit availabilityChanged();
}

void CollectionCommands::showDatFailures(const QList<DatReader::DatError> &failures)
{
    QStringList lines;
    for (const DatReader::DatError &failure : failures)
        lines.append(failure.message());
    if (!lines.isEmpty())
        showMessage(lines.join(u'\n'));
}

bool CollectionCommands::haveDats()
{
    finishLoading();
    if (!m_catalog->isEmpty())
        return true;
    showMessage(messageTable().text(CollectionText::NoDatLoaded));
    return false;
}

void CollectionCommands::loadDat()
{
    const QStringList paths =
        QFileDialog::getOpenFileNames(m_parent, caption(CollectionText::LoadDat), QString(),
                                      QStringLiteral("DAT (*.dat *.DAT *.xml *.XML *.zip *.ZIP);;* (*)"));
    if (!paths.isEmpty())
        addDats(paths);
}

void CollectionCommands::addDats(const QStringList &paths)
{
    finishLoading();
    QStringList wanted = m_datPaths;
    for (const QString &path : paths) {
        const QString absolute = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
        if (!wanted.contains(absolute))
            wanted.append(absolute);
    }
    if (wanted == m_datPaths)
        return;
    // The DATs loaded already come from their caches; a large new one is read without freezing the window.
    DatCatalog::LoadResult result;
    if (!runInBackground(m_parent, caption(CollectionText::LoadDat),
                         [&](const Progress &progress) { result = DatCatalog::loadAll(wanted, {}, progress); }))
        return;
    // A stored DAT that fails now stays listed (its drive may be away for a while); a new one that fails does not.
    QStringList kept = m_datPaths;
    for (const DatCatalog::Dat &dat : result.catalog->dats()) {
        if (!kept.contains(dat.path))
            kept.append(dat.path);
    }
    if (kept != m_datPaths) {
        DatCatalog::storeList(kept);
        m_datPaths = kept;
    }
    m_catalog = result.catalog;
    updateActions();
    emit checksChanged();
    showDatFailures(result.failures);
}

void CollectionCommands::forgetDats()
{
    finishLoading();
    DatCatalog::storeList({});
    m_datPaths.clear();
    m_catalog = std::make_shared<DatCatalog>();
    updateActions();
    emit checksChanged();
}

void CollectionCommands::verify()
{
    if (!haveDats())
        return;
    const QStringList files = m_listedFiles();
    if (files.isEmpty()) {
        showMessage(messageTable().text(Msg::NoGamesToRename));
        return;
    }
    // The worker gets its own copy of the cache and the DATs as they are now.
    const std::shared_ptr<const DatCatalog> dats = m_catalog;
    HashCache cache = m_cache;
    CollectionVerifier::Result result;
    runInBackground(m_parent, caption(CollectionText::VerifyCollection), [&](const Progress &progress) {
        result = CollectionVerifier(*dats, cache, progress).verify(files);
        cache.save();
    });
    m_cache = cache;
    emit checksChanged();
    if (result.cancelled)
        return;
    showMessage(messageTable()
                    .text(CollectionText::VerifySummary)
                    .arg(QString::number(files.size()), QString::number(result.matches),
                         QString::number(result.badDumps), QString::number(result.unknown)));
    if (!result.skipped.isEmpty()) {
        QStringList lines{messageTable().text(CollectionText::FilesSkipped)};
        for (const QString &path : result.skipped)
            lines.append(QDir::toNativeSeparators(path));
        showMessage(lines.join(u'\n'));
    }
}

void CollectionCommands::renamed(const DatRenamer::Outcome &outcome)
{
    // Also when the run failed later: the files that moved keep their checks.
    for (const RenameLog::Move &move : outcome.done)
        m_cache.rename(move.from, move.to);
    m_cache.save();
    updateActions();
    if (m_rereadList)
        m_rereadList();
    emit checksChanged();
}

void CollectionCommands::showReport(const QString &summary, const QStringList &notes)
{
    showMessage((QStringList{summary} + notes).join(u'\n'));
}

void CollectionCommands::renameToDat()
{
    if (!haveDats())
        return;
    const DatRenamer::Plan plan = DatRenamer::plan(m_listedFiles(), *m_catalog, m_cache);
    if (plan.renames.isEmpty()) {
        showReport(messageTable().text(CollectionText::NothingToRename), plan.notes);
        return;
    }
    RenamePreviewDialog preview(plan.renames, m_parent);
    if (preview.exec() != QDialog::Accepted)
        return;
    ProgressWindow progress(m_parent, caption(CollectionText::RenameToDat));
    DatRenamer::Outcome outcome;
    try {
        outcome = DatRenamer::apply(plan, progress.progress());
    } catch (const CartlingError &) {
        // Nothing was renamed; the list shows it as it is.
        updateActions();
        throw;
    }
    renamed(outcome);
    showReport(messageTable()
                   .text(CollectionText::RenamesDone)
                   .arg(QString::number(outcome.renamed), QString::number(outcome.failed + plan.skipped)),
               plan.notes + outcome.notes);
    if (!outcome.error.isEmpty())
        throw CartlingError(outcome.error);
}

void CollectionCommands::undoLastRename()
{
    finishLoading();
    ProgressWindow progress(m_parent, caption(CollectionText::UndoRename));
    const auto outcome = DatRenamer::undo(progress.progress());
    if (!outcome) {
        updateActions();
        showMessage(messageTable().text(CollectionText::NothingToUndo));
        return;
    }
    renamed(*outcome);
    if (!outcome->cancelled)
        showReport(messageTable()
                       .text(CollectionText::RenamesDone)
                       .arg(QString::number(outcome->renamed), QString::number(outcome->failed)),
                   outcome->notes);
    if (!outcome->error.isEmpty())
        throw CartlingError(outcome->error);
}

DumpCheck CollectionCommands::checkOf(const QString &path) const
{
    if (m_catalog->isEmpty())
        return {};
    const auto stamp = HashCache::stampOf(path);
    if (!stamp)
        return {};
    return DumpCheck::of(m_cache.find(path, *stamp), *m_catalog);
}

QStringList CollectionCommands::detailLines(const QString &path) const
{
    if (path.isEmpty())
        return {};
    // The details are shown again at every selection; the ROM is read again only when it changed.
    const auto stamp = HashCache::stampOf(path);
    if (!stamp || path != m_headerPath || !(*stamp == m_headerStamp)) {
        m_headerLines = stamp ? CartridgeHeader::detailLinesOf(path) : QStringList();
        m_headerPath = path;
        m_headerStamp = stamp.value_or(HashCache::Stamp{});
    }
    // The state says something only against loaded DATs.
    if (m_catalog->isEmpty())
        return m_headerLines;
    return QStringList{checkOf(path).tooltip()} + m_headerLines;
}
