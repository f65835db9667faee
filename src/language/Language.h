#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

class QWidget;

// The current language table and the loading of language files. The main window owns the one instance.
class Language
{
public:
    using WindowSource = std::function<QList<QWidget *>()>;

    // Starts with the built-in table; languages reach the windows that `windows` yields when a file is loaded
    // (by default every window of the application).
    explicit Language(WindowSource windows = {});

    // The language table: the built-in one, or the lines of the last language file loaded.
    const QStringList &table() const { return m_table; }

    // Replaces the table by the file's lines. A file of fewer than 126 lines (or no text at all) is refused
    // with the message "<archName> No es Válido" and nothing is applied; otherwise the table is applied to
    // every window and the message table reloaded from it. Raises CartlingError when the file cannot be
    // read. Returns true when the file was accepted.
    bool loadLanguageFile(const QString &path, const QString &archName);

    // Loads the file that "ArchId" names, if it exists; a missing file is passed over without a word. Used at
    // start-up and by the language dialog's "Aceptar". An unreadable file is reported here. True when a file
    // was accepted.
    bool loadStoredLanguage();

    // A window made after a language file was accepted takes its texts; with none, it keeps its built-in ones.
    void applyTo(QWidget *window) const;

    // Texts that a feature sets itself from the message table (a placeholder, the empty list's guide) are set
    // again by `setTexts` after every language file accepted.
    void whenApplied(std::function<void()> setTexts) { m_whenApplied.push_back(std::move(setTexts)); }

private:
    QStringList m_table;
    QStringList m_applied; // the table of the last file accepted; empty while the built-in texts stand
    WindowSource m_windows;
    std::vector<std::function<void()>> m_whenApplied;
};
