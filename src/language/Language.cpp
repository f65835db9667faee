#include "language/Language.h"

#include "language/LanguageApplier.h"
#include "language/LanguageFile.h"
#include "language/LanguageTable.h"
#include "language/MessageTable.h"
#include "platform/ErrorHandler.h"
#include "platform/Messages.h"
#include "settings/Keys.h"
#include "settings/SettingsFile.h"

#include <QFileInfo>

Language::Language(WindowSource windows) : m_table(LanguageTable::builtin()), m_windows(std::move(windows))
{
    if (!m_windows)
        m_windows = [] { return languageWindows(); };
}

bool Language::loadLanguageFile(const QString &path, const QString &archName)
{
    const LanguageFile file = LanguageFile::read(path);
    // A refused file replaces the table too, but nothing reads the table until the next file is loaded, so
    // the captions and the messages keep what they showed.
    m_table = file.table();
    if (!file.accepted()) {
        showMessage(messageTable().rejection(archName.isEmpty() ? QFileInfo(path).fileName() : archName));
        return false;
    }
    applyLanguage(m_table, m_windows());
    messageTable().loadMessages(m_table);
    m_applied = m_table;
    for (const auto &setTexts : m_whenApplied)
        setTexts();
    return true;
}

void Language::applyTo(QWidget *window) const
{
    if (window && !m_applied.isEmpty())
        applyLanguage(m_applied, {window});
}

bool Language::loadStoredLanguage()
{
    const SettingsFile settings;
    const QString path = settings.read(Keys::ArchId);
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return false;
    try {
        return loadLanguageFile(path, settings.read(Keys::ArchName));
    } catch (const CartlingError &error) {
        reportError(error);
        return false;
    }
}
