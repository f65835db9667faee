#pragma once

#include "platform/FormWindow.h"

#include <QStringList>

class Language;
class QComboBox;
class QGroupBox;
class QPushButton;

// The language dialog: the language files of the base folder; choosing one stores it at once, "Aceptar"
// (and Escape) loads the stored one and closes.
class LanguageDialog : public FormWindow
{
    Q_OBJECT
public:
    explicit LanguageDialog(Language &language, QWidget *parent = nullptr);

    // A file chosen in the list: stored at once, applied by "Aceptar" or at the next start.
    void storeChosenFile(int index);
    // "Aceptar": loads the file that "ArchId" names, if it exists, and closes.
    void loadChosenLanguage();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    Language &m_language;
    QStringList m_files;
    QGroupBox *m_group;
    QComboBox *m_combo;
    QPushButton *m_button;
};
