#pragma once

#include "emulator/ConfigTemplate.h"
#include "gamegenie/GameGenieCodes.h"
#include "mainwindow/RomListModel.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

class Language;
class QWidget;

// The state that the windows of the running program share: the configuration template, the ROM list, the
// selected game (its entry, stem, command-line preview and packing list), its Game Genie codes with the
// switch that puts them in use, and the language. The main window owns it and hands it to the windows and
// the action classes, which learn of changes through its signals instead of reaching into each other.
class Session : public QObject
{
    Q_OBJECT
public:
    explicit Session(QObject *parent = nullptr);
    ~Session() override;

    ConfigTemplate &configTemplate() { return m_template; }
    RomListModel &romList() { return m_romList; }
    const RomListModel &romList() const { return m_romList; }
    // The selected game's codes and title as the codes dialog shows them; the dialog is a view of them.
    GameGenieCodes &codes() { return m_codes; }

    Language &language() const { return *m_language; }
    void setLanguage(Language *language) { m_language = language; }

    // The window that dialogs, progress windows and messages belong to: the main window.
    QWidget *window() const { return m_window; }
    void setWindow(QWidget *window) { m_window = window; }

    // ---- The selected game ----
    // Where the selected entry comes from: the list, which knows its selection and any pending re-read.
    using SelectionSource = std::function<std::optional<RomListModel::Entry>()>;
    void setSelectionSource(SelectionSource source) { m_selectionSource = std::move(source); }
    std::optional<RomListModel::Entry> selectedEntry() const;

    // The stem that the last details load (or a run over every file) left: the key of the game's title.
    const QString &selectedStem() const { return m_selectedStem; }
    void setSelectedStem(const QString &stem) { m_selectedStem = stem; }

    // The command line a launch of the selected entry would use, and the packing list whose first line is
    // the selected entry's full path; both set by the selection handling.
    const QString &commandLinePreview() const { return m_commandLinePreview; }
    void setCommandLinePreview(const QString &line) { m_commandLinePreview = line; }
    const QStringList &packingList() const { return m_packingList; }
    void setPackingList(const QStringList &files) { m_packingList = files; }

    // The folder the extraction list looks at: the temporary extraction folder.
    const QString &extractionListFolder() const { return m_extractionListFolder; }
    void setExtractionListFolder(const QString &folder) { m_extractionListFolder = folder; }

    // The palette line read at start-up, handed to the audio/video options.
    const QString &storedPalette() const { return m_storedPalette; }
    void setStoredPalette(const QString &line) { m_storedPalette = line; }

    // A text for the title label above the list.
    void showTitle(const QString &title);
    // A title was stored in, or a run wrote, the title list: what shows titles reads them again.
    void titlesStored();

    // The selected game's stem, title and codes read afresh from the data files, then the cheat lines
    // applied or removed as the switch says. Without a selection nothing changes.
    void loadSelectedGameDetails();
    // The codes dialog's internal name (the code rows shown exactly when it is not empty) and, when given,
    // its game-name field.
    void showInCodes(const QString &internalName, const std::optional<QString> &title = std::nullopt);

    // ---- What features add to the selected game's details ----
    // Lines shown under the selected game's title (when it was last played, its header checks, ...), each
    // a function of the selected entry; a feature with nothing to say gives none.
    using DetailLines = std::function<QStringList(const RomListModel::Entry &entry)>;
    void addDetailLines(DetailLines lines) { m_detailLines.push_back(std::move(lines)); }
    // Every feature's lines for the selected entry; none without a selection.
    QStringList detailLines() const;
    // A feature's data changed: the details are shown again.
    void detailsUpdated() { emit detailsChanged(); }

    // ---- The Game Genie switch ----
    bool cheatsOn() const { return m_cheatsOn; }
    // The switch turned: the cheat lines applied or removed. Zibo.cfg is the caller's to write.
    void setCheatsOn(bool on);
    // Before a launch: the row check, then the cheat lines as the switch says.
    void prepareCheatsForLaunch();
    // Codes switched on or off in the emulator's own cheats window (saved at `madeAt`) taken into the selected
    // game's rows, the launched one; the codes dialog shows them.
    void takeCheatChoices(const QList<CodeChoice> &choices, const QDateTime &madeAt);

signals:
    void titleShown(const QString &title);
    // Titulos.ini changed on disk.
    void titlesChanged();
    // The codes (internal name, title, rows) changed from outside the codes dialog.
    void codesChanged();
    // The selected game's details were read again, or a feature's lines changed.
    void detailsChanged();

private:
    // Runs a change of the codes and tells the codes dialog, also when the change ended with an error.
    template <typename F> void changeCodes(F change);

    ConfigTemplate m_template;
    RomListModel m_romList;
    GameGenieCodes m_codes;
    Language *m_language = nullptr;
    QWidget *m_window = nullptr;
    SelectionSource m_selectionSource;
    std::vector<DetailLines> m_detailLines;
    QString m_selectedStem;
    QString m_commandLinePreview;
    QStringList m_packingList;
    QString m_extractionListFolder;
    QString m_storedPalette = QStringLiteral(";xxx");
    bool m_cheatsOn = false;
};
