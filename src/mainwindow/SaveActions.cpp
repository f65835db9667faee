#include "mainwindow/SaveActions.h"

#include "app/Session.h"
#include "emulator/Emulator.h"
#include "emulator/EmulatorRuns.h"
#include "language/MessageTable.h"
#include "mainwindow/MainMenus.h"
#include "platform/ErrorHandler.h"
#include "platform/Messages.h"
#include "saves/SaveContent.h"
#include "saves/SaveCopies.h"
#include "saves/SaveText.h"
#include "saves/SavedGamesDialog.h"
#include "settings/BaseFolder.h"
#include "settings/SettingsFile.h"

#include <QAction>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QMenu>

SaveActions::SaveActions(QWidget &window, Session &session, MainMenus &menus)
    : QObject(&window), m_window(window), m_session(session)
{
    // With the file operations of the selected game, in the menu and the pop-up menu.
    QAction *item = menus.addFeatureItem(menus.menu("AHMMenuItem1"), "PartidasGuardadas1", SaveText::MenuItem,
                                         QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), menus.item("Eliminar"));
    QAction *popupItem =
        menus.addFeatureItem(menus.popup(), "PartidasGuardadas2", SaveText::MenuItem, {}, menus.item("Eliminar2"));
    for (QAction *action : {item, popupItem}) {
        menus.followSelection(action, [](const std::optional<QString> &path) { return path.has_value(); });
        connect(action, &QAction::triggered, this, guarded([this] { showSavedGames(); }));
    }
    connect(&emulatorRuns(), &EmulatorRuns::ended, this, [this](const QString &rom) { emulatorEnded(rom); });
    m_session.addDetailLines([](const RomListModel::Entry &entry) -> QStringList {
        const SettingsFile settings;
        const QString program = settings.read(Keys::Zibo, QString());
        const SavePlace place =
            Emulators::of(EmulatorKinds::ofStored(settings, program)).savePlace(settings, program, entry.fullPath);
        const QFileInfo save(place.save);
        if (!save.isFile())
            return {};
        const qsizetype copies = SaveCopies(BaseFolder::path(), entry.fullPath).list().size();
        return {messageTable()
                    .text(SaveText::DetailLine)
                    .arg(QLocale().toString(save.lastModified(), QLocale::ShortFormat))
                    .arg(copies)};
    });
}

void SaveActions::showSavedGames()
{
    const auto entry = m_session.selectedEntry();
    if (!entry)
        return;
    const SettingsFile settings;
    const QString program = settings.read(Keys::Zibo, QString());
    const Emulator &emulator = Emulators::of(EmulatorKinds::ofStored(settings, program));
    SavedGamesDialog dialog(BaseFolder::path(), entry->fullPath, emulator.savePlace(settings, program, entry->fullPath),
                            emulator.name(), &m_window);
    dialog.exec();
    m_session.detailsUpdated();
}

void SaveActions::beforeLaunch(const QString &rom, EmulatorKind kind, const QString &program)
{
    offerOtherSave(rom, kind, program);
    keepCopy(rom, kind, program);
    m_running.insert(rom, {kind, program});
}

void SaveActions::emulatorEnded(const QString &rom)
{
    const auto it = m_running.constFind(rom);
    if (it == m_running.constEnd())
        return;
    const Launch launch = *it;
    m_running.erase(it);
    keepCopy(rom, launch.kind, launch.program);
    m_session.detailsUpdated();
}

void SaveActions::keepCopy(const QString &rom, EmulatorKind kind, const QString &program)
{
    SaveCopies copies(BaseFolder::path(), rom);
    const SavePlace place = Emulators::of(kind).savePlace(SettingsFile(), program, rom);
    if (copies.keep(place, QDateTime::currentDateTime()) == SaveCopies::Outcome::Failed)
        showMessage(messageTable().text(SaveText::CopyFailed).arg(QFileInfo(rom).fileName(), copies.error()));
}

void SaveActions::offerOtherSave(const QString &rom, EmulatorKind kind, const QString &program)
{
    const SettingsFile settings;
    const Emulator &launched =
        Emulators::of(kind == EmulatorKind::OwnCommand ? EmulatorKinds::recognise(program) : kind);
    const SavePlace target = launched.savePlace(settings, program, rom);
    if (QFileInfo::exists(target.save) || m_declined.contains(rom))
        return;
    // mGBA and Zibo keep the same ".sav"; RetroArch keeps ".srm" and ".rtc".
    for (const EmulatorKind other : {EmulatorKind::Mgba, EmulatorKind::RetroArch}) {
        const Emulator &kept = Emulators::of(other);
        const SavePlace source = kept.savePlace(settings, QString(), rom);
        if (source.save == target.save || !QFileInfo(source.save).isFile())
            continue;
        const QString question = messageTable()
                                     .text(SaveText::BringAlong)
                                     .arg(QFileInfo(rom).fileName(), launched.name(), kept.name(),
                                          QDir::toNativeSeparators(QFileInfo(source.save).path()));
        if (!messages().confirm(question)) {
            m_declined.insert(rom);
            return;
        }
        const qint64 now = QDateTime::currentSecsSinceEpoch();
        const std::optional<SaveContent> content = SaveContent::read(source, now);
        if (!content || !content->write(target, now))
            showMessage(messageTable().text(SaveText::BringFailed).arg(QDir::toNativeSeparators(target.save)));
        return;
    }
}
