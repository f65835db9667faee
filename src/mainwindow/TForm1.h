#pragma once

#include "emulator/ConfigTemplate.h"
#include "mainwindow/RomListModel.h"
#include "mainwindow/Views.h"

#include <QDialog>
#include <QMainWindow>
#include <QPointer>
#include <optional>

class Language;
class QAction;
class QCheckBox;
class QLabel;
class QListView;
class QMenu;
class QPushButton;
class QTimer;
struct Windows;

// The main window: the ROM list and its views, the menus, the start button, and the hidden holders that
// the other windows share (configuration template, language table, command-line preview, stem, ...).
class TForm1 : public QMainWindow
{
    Q_OBJECT
public:
    explicit TForm1(Windows &windows);
    ~TForm1() override;

    // False when the ZIP library check failed at creation; the program then ends.
    bool started() const { return m_started; }

    // ---- Shared state ----
    ConfigTemplate &configTemplate() { return m_template; } // RichEdit1
    Language &language() { return *m_language; }            // HeaderList1
    RomListModel &romList() { return m_romList; }
    QListView *listView() const { return m_list; }
    std::optional<RomListModel::Entry> selectedEntry() const;
    const QString &edit1() const { return m_edit1; } // command-line preview
    const QString &edit2() const { return m_edit2; } // stored palette line
    const QString &edit3() const { return m_edit3; } // stem of the selected file
    const QStringList &al1() const { return m_al1; } // first line: full path of the selected entry
    const QString &flbFolder() const { return m_flbFolder; }
    QString statusPanel(int panel) const;
    QCheckBox *gameGenieSwitch() const { return m_checkBox1; }
    QTimer *timer1() const { return m_timer1; }
    QAction *action(const char *name) const;
    QMenu *popupMenu() const { return m_popup; }
    const View *markedView() const { return m_markedView; }
    QDialog *readmeViewer() const { return m_readmeViewer; }

    // ---- Routines ----
    void jugar(const QString &rom);
    // Launches the selected entry; nothing at all without a selection.
    void playSelected();
    void validarseleccion();
    void cargardatos();
    void cargarimagen();
    // A click or a key release in the list.
    void selectionHandling();
    // The list's pop-up menu opening (the menu itself is shown by the caller).
    void popupOpening();
    // Loads the stored ROM folder into the list again ("Actualizar" without the count and the picture).
    void Button4Click();
    void refresh();
    void chooseView(const View &view);
    void restoreView();
    void showCount();
    void storeEmulatorPath(const QString &file);
    void BuscarZiboexe1Click();
    void BuscarRoms1Click();
    // "Usar" or "No Usar" of the codes dialog, as the Game Genie switch says.
    void applyGameGenieSwitch();
    void CheckBox1Click();
    void Leeme1Click();
    void Acercade1Click();
    void AHMMenuItem13Click();
    // The late start-up step's first part: the screenshot switch from the settings.
    void restoreScreenshotSwitch();

signals:
    // The main window closed: the program ends.
    void closed();

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void createControls();
    void createMenus();
    void placeControls();
    void createRomListMenu();
    QAction *addItem(QMenu *menu, const char *name, const QString &caption, const QKeySequence &shortcut = {});
    void markView(const View &view);
    void placeFromSettings();
    void updateSelectionHolders();

    Windows &m_windows;
    bool m_started = false;
    ConfigTemplate m_template;
    std::unique_ptr<Language> m_language;
    RomListModel m_romList;
    QString m_edit1;
    QString m_edit2 = QStringLiteral(";xxx");
    QString m_edit3;
    QStringList m_al1;
    QString m_flbFolder;
    const View *m_markedView = nullptr;

    QListView *m_list = nullptr;
    QLabel *m_title = nullptr; // AHMLabel1
    QCheckBox *m_checkBox1 = nullptr;
    QPushButton *m_button1 = nullptr;
    QLabel *m_panel0 = nullptr;
    QLabel *m_panel1 = nullptr;
    QMenu *m_popup = nullptr;
    QTimer *m_timer1 = nullptr;
    QPointer<QDialog> m_readmeViewer;
    bool m_placedOnShow = false;
};
