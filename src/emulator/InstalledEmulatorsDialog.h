#pragma once

#include "emulator/InstalledEmulators.h"
#include "platform/FormWindow.h"

#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// "Emuladores instalados": the known emulators found on this machine, one of which the user stores as the
// emulator (as "Buscar Zibo" does), or any program chosen in a file dialog; and the own command line of the
// stored program.
class InstalledEmulatorsDialog : public FormWindow
{
    Q_OBJECT
public:
    using Store = std::function<void(const QString &program)>;
    using Finder = std::function<QList<InstalledEmulators::Found>()>;
    using FileChooser = std::function<QString()>;

    // `store` stores a program as the emulator; `finder` looks for the installed emulators each time the
    // window is shown; `chooseFile` asks for a program (by default, a file dialog).
    explicit InstalledEmulatorsDialog(
        Store store, QWidget *parent = nullptr, Finder finder = [] { return InstalledEmulators::find(); },
        FileChooser chooseFile = {});

    QTreeWidget *list() const { return m_list; }

    // The chosen entry stored: a program, or a RetroArch core with its program. Closes the window.
    void useChosen();
    // A program from the file dialog stored; nothing when the dialog is cancelled.
    void chooseProgram();
    // The own command line stored for the stored program; refused with a message when a quote is not closed
    // or no program is stored.
    void saveOwnCommand();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void showTexts();
    void refresh();
    void checkOwnCommand();

    Store m_store;
    Finder m_finder;
    FileChooser m_chooseFile;
    QLabel *m_heading = nullptr;
    QTreeWidget *m_list = nullptr;
    QLabel *m_noneFound = nullptr;
    QPushButton *m_use = nullptr;
    QPushButton *m_choose = nullptr;
    QPushButton *m_close = nullptr;
    QLabel *m_ownGroupCaption = nullptr;
    QLabel *m_ownProgram = nullptr;
    QLabel *m_ownHint = nullptr;
    QLineEdit *m_ownCommand = nullptr;
    QLabel *m_ownWarning = nullptr;
    QPushButton *m_saveOwn = nullptr;
};
