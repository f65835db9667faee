#include "mainwindow/MainWindow.h"

#include "app/Session.h"
#include "collection/CollectionCheck.h"
#include "emulator/AudioVideoDialog.h"
#include "emulator/ControlsDialog.h"
#include "emulator/DirectoriesDialog.h"
#include "emulator/EmulatorKind.h"
#include "emulator/JoystickTypeDialog.h"
#include "emulator/KeyboardDialog.h"
#include "emulator/OtherOptionsDialog.h"
#include "gamegenie/GameGenieDialog.h"
#include "language/Language.h"
#include "language/LanguageDialog.h"
#include "language/LanguageTable.h"
#include "language/MessageTable.h"
#include "mainwindow/CollectionActions.h"
#include "mainwindow/DropActions.h"
#include "mainwindow/FileActions.h"
#include "mainwindow/FilterField.h"
#include "mainwindow/FirstGameGuide.h"
#include "mainwindow/GameFinder.h"
#include "mainwindow/GameList.h"
#include "mainwindow/HelpItems.h"
#include "mainwindow/LaunchActions.h"
#include "mainwindow/SaveActions.h"
#include "mainwindow/MainMenus.h"
#include "mainwindow/NameRepairActions.h"
#include "mainwindow/PictureViewActions.h"
#include "mainwindow/RomFolderDialog.h"
#include "mainwindow/RomListView.h"
#include "mainwindow/ScreenshotActions.h"
#include "mainwindow/ToolIcons.h"
#include "mainwindow/Windows.h"
#include "platform/ErrorHandler.h"
#include "platform/FormWindow.h"
#include "platform/Messages.h"
#include "platform/Places.h"
#include "settings/BaseFolder.h"
#include "settings/SettingsFile.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolButton>

MainWindow::MainWindow(Windows &windows)
    : m_windows(windows), m_session(std::make_unique<Session>()),
      m_language(std::make_unique<Language>([this] { return m_windows.all(); }))
{
    m_session->setLanguage(m_language.get());
    m_session->setWindow(this);
    setObjectName(QStringLiteral("TForm1"));
    setWindowTitle(QStringLiteral("Cartling 1.7"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    BaseFolder::capture(); // the current folder, once
    m_menus = new MainMenus(*this);
    createControls();
    connectMenus();
    placeControls();

    // The extraction folder and the base folder's own folders; one that cannot be made is skipped silently.
    Places::ensureExtractionFolder();
    QDir base(BaseFolder::path());
    for (const char *folder : {"Roms", "Rts", "Save", "Zibo", "Shoots"})
        base.mkdir(QString::fromLatin1(folder));
    // The extraction list looks at the extraction folder.
    m_session->setExtractionListFolder(Places::extractionFolder());
    placeFromSettings();
    // The messages exist before the ROM folder check may need one.
    messageTable().loadMessages(LanguageTable::builtin());
    // The stored ROM folder, or the base folder with a message when it is gone (the setting stays).
    RomListModel &list = m_session->romList();
    const QString roms = SettingsFile().read(Keys::Roms, BaseFolder::path());
    if (roms.isEmpty() || !QFileInfo(roms).isDir()) {
        showMessage(
            messageTable().text(Msg::FolderMissingStart, QDir::toNativeSeparators(roms), Msg::FolderMissingEnd));
        list.setFolder(BaseFolder::path());
    } else {
        list.setFolder(roms);
    }
    m_gameList->restoreView();
    // The stored palette line, handed to the audio/video options.
    m_session->setStoredPalette(SettingsFile().read(Keys::Dcs));
    // The list is loaded once more, as a refresh without the count.
    m_gameList->loadRomFolder();
    m_started = true;
}

MainWindow::~MainWindow()
{
    // The list and its view go before the session whose model they show.
    delete takeCentralWidget();
}

// ---- Construction ----

void MainWindow::createControls()
{
    auto *client = new QWidget(this);
    setCentralWidget(client);

    auto *compress = named(new QToolButton(client), "SpeedButton1");
    compress->setAutoRaise(true);
    compress->setIcon(ToolIcons::compress());
    compress->setIconSize(QSize(24, 24));
    compress->setToolTip(QStringLiteral("Comprime Juego Seleccionado"));

    auto *group = named(new QGroupBox(QString::fromUtf8("Usar Códigos Game Genie"), client), "GroupBox1");
    QFont small = group->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    group->setFont(small);
    m_gameGenieSwitch = named(new QCheckBox(group), "CheckBox1");
    m_gameGenieSwitch->setGeometry(6, 17, 18, 20);
    auto *editCodes = named(new QPushButton(QStringLiteral("Editar Codigos"), group), "Button2");
    editCodes->setGeometry(26, 16, 116, 22);

    auto *divider = named(new QFrame(client), "AHMFormDivider1");
    divider->setFrameShape(QFrame::HLine);
    divider->setFrameShadow(QFrame::Sunken);

    m_title = named(new QLabel(client), "AHMLabel1");
    m_title->setAlignment(Qt::AlignCenter);
    m_title->setTextFormat(Qt::PlainText); // titles come from files and users, never markup
    m_title->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    QFont bold = m_title->font();
    bold.setBold(true);
    m_title->setFont(bold);
    connect(m_session.get(), &Session::titleShown, m_title, &QLabel::setText);

    // What features add about the selected game, under its title; hidden while they have nothing to say.
    m_details = named(new QLabel(client), "GameDetails");
    m_details->setTextFormat(Qt::PlainText);
    m_details->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_details->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    QFont smaller = m_details->font();
    smaller.setPointSizeF(smaller.pointSizeF() * 0.9);
    m_details->setFont(smaller);
    m_details->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_details->hide();
    connect(m_session.get(), &Session::detailsChanged, this, [this] { showDetails(); });

    m_listArea = named(new QStackedWidget(client), "ListArea");
    // The list takes the room the window gives it; its own wish would widen the window beyond its design.
    m_listArea->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Expanding);

    m_screenshots = new ScreenshotActions(this, *m_session, *m_menus, m_windows);
    m_launches = new LaunchActions(*this, *m_session, *m_screenshots, *m_menus);
    auto *saves = new SaveActions(*this, *m_session, *m_menus);
    m_launches->setBeforeStart([saves](const QString &rom, EmulatorKind kind, const QString &program) {
        saves->beforeLaunch(rom, kind, program);
    });
    m_gameList = new GameList(
        m_listArea, *m_session, *m_menus,
        {[this] { m_screenshots->loadSelectedPicture(); }, [this] { m_session->loadSelectedGameDetails(); },
         [this] { m_launches->launchSelected(); }, [this] { m_screenshots->showDefaultPicture(); }});

    m_startButton = named(new QPushButton(client), "Button1");
    m_startButton->setIcon(ToolIcons::play());
    m_startButton->setIconSize(QSize(28, 28));
    m_startButton->setToolTip(QStringLiteral("Jugar"));
    setFocusProxy(m_startButton);
    m_startButton->setFocus();

    auto *status = named(new QStatusBar(this), "StatusBar1");
    status->setSizeGripEnabled(false);
    status->setFixedHeight(19);
    m_panel0 = new QLabel(status);
    m_panel0->setFixedWidth(40);
    m_panel1 = new QLabel(status);
    m_panel1->setMinimumWidth(50);
    m_panel1->setTextFormat(Qt::PlainText); // the game count's text comes from the language file

    status->addWidget(m_panel0);
    status->addWidget(m_panel1, 1);
    setStatusBar(status);
    m_listArea->addWidget(listView());
    layOut(compress, group, divider);
    m_finder = new GameFinder(*m_session, *m_gameList, *m_menus);
    addAboveList(m_finder->field());
    m_pictures = new PictureViewActions(*m_gameList, *m_menus, *m_listArea, *m_screenshots);
    m_gameList->setLabels({m_panel0, m_panel1});

    m_help = new HelpItems(*this, m_windows);
    m_collection = new CollectionActions(*m_session, *m_menus, m_windows);
    m_collectionCheck = new CollectionCheck(*m_session, *m_menus);
    m_files = new FileActions(*m_session, *m_gameList, *m_menus, m_windows);
    m_nameRepair = new NameRepairActions(*m_session, *m_gameList, *m_menus);
    m_guide = new FirstGameGuide(*m_listArea, *m_startButton, *m_session, *m_menus);
    connect(m_launches, &LaunchActions::emulatorChosen, m_guide, [this] { m_guide->update(); });
    m_drops = new DropActions(*this, *m_session, *m_gameList);

    connect(m_startButton, &QPushButton::clicked, this, guarded([this] { m_launches->startPressed(); }));
    connect(compress, &QToolButton::clicked, this, guarded([this] { m_collection->compressSelected(); }));
    connect(m_gameGenieSwitch, &QCheckBox::toggled, this, guarded([this] { gameGenieSwitchToggled(); }));
    connect(editCodes, &QPushButton::clicked, this, guarded([this] {
                if (m_windows.gameGenieDialog)
                    m_windows.gameGenieDialog->openBesideMainWindow();
            }));
}

void MainWindow::connectMenus()
{
    const auto on = [this](const char *item, auto handler) {
        connect(action(item), &QAction::triggered, this, guarded(std::move(handler)));
    };
    const auto modal = [this](auto member) {
        return [this, member] {
            if (QDialog *dialog = (m_windows.*member).get())
                dialog->exec();
        };
    };
    for (const char *item : {"Jugar1", "Jugar2"})
        on(item, [this] { m_launches->launchSelected(); });
    on("BuscarRoms1", modal(&Windows::romFolderDialog));
    on("BuscarZiboexe1", [this] { m_launches->locateEmulator(); });
    on("ss", [this] { m_screenshots->switchClicked(); });
    for (const char *item : {"Salir1", "AHMMenuItem12"})
        on(item, [this] { close(); });
    for (const View &view : kViews) {
        const View *chosen = &view;
        on(view.action, [this, chosen] { m_gameList->chooseView(*chosen); });
    }
    for (const char *item : {"Actualizar1", "Actualizar2"})
        on(item, [this] { m_gameList->refresh(); });
    on("AudioVideo1", modal(&Windows::audioVideoDialog));
    on("Controles1", modal(&Windows::keyboardDialog));
    on("Joystick1", modal(&Windows::joystickTypeDialog));
    on("Controles2", modal(&Windows::controlsDialog));
    on("Otras1", modal(&Windows::otherOptionsDialog));
    on("otras2", modal(&Windows::directoriesDialog));
    on("AHMMenuItem15", modal(&Windows::languageDialog));
    for (const char *item : {"Comprimir1", "Comprimir2"})
        on(item, [this] { m_collection->compressSelected(); });
    for (const char *item : {"Descomprimir1", "Descomprimir2"})
        on(item, [this] { m_collection->extractSelected(); });
    for (const char *item : {"ExtraerTtulo1", "ExtraetTtuloajueoseleccionado1"})
        on(item, [this] { m_collection->extractTitle(); });
    for (const char *item : {"Importarnombreaggcodesini1", "AHMMenuItem17"})
        on(item, [this] { m_collection->exportInternalName(); });
    on("GenerarlistadeTitulos1", [this] { m_collection->generateTitleList(CollectionActions::TitleList::Titles); });
    on("ImportarnombredejuegoaGGcodesini1",
       [this] { m_collection->generateTitleList(CollectionActions::TitleList::InternalNames); });
    for (const char *item : {"Eliminar", "Eliminar2"})
        on(item, [this] { m_files->deleteSelected(); });
    for (const char *item : {"Rename", "Rename2"})
        on(item, [this] { m_files->renameSelected(); });
    for (const char *item : {"rat1", "rat2"})
        on(item, [this] { m_files->renameSelectedToTitle(); });
    on("rat", [this] { m_files->renameAllToTitles(); });
    for (const char *item : {"cambiartitulo2", "Cambiartitulo"})
        on(item, [this] { m_files->changeTitle(); });
    on("Leeme1", [this] { m_help->showReadme(); });
    on("Acercade1", [this] { m_help->showAbout(); });
    on("AHMMenuItem13", [this] { m_help->showHomePage(); });
}

void MainWindow::layOut(QWidget *compress, QWidget *codesGroup, QWidget *divider)
{
    // The design's places: the tool row at the top, the title at 50, the list at 71, the start button at
    // 337, all inside a client area 225 wide and 383 high; what features add above the list takes its room
    // from the list.
    const auto inset = [](QWidget *widget, int left, int right) {
        auto *row = new QHBoxLayout;
        row->setContentsMargins(left, 0, right, 0);
        row->addWidget(widget);
        return row;
    };
    auto *tools = new QHBoxLayout;
    tools->setContentsMargins(14, 0, 4, 0);
    compress->setFixedSize(36, 37);
    codesGroup->setFixedSize(148, 41);
    tools->addWidget(compress, 0, Qt::AlignBottom);
    tools->addStretch();
    tools->addWidget(codesGroup);
    divider->setFixedHeight(4);
    m_title->setFixedHeight(17);
    m_startButton->setFixedHeight(41);

    auto *column = new QVBoxLayout(centralWidget());
    column->setContentsMargins(0, 0, 0, 5);
    column->setSpacing(4);
    column->addLayout(tools);
    column->addSpacing(-3);
    column->addWidget(divider);
    column->addLayout(inset(m_title, 4, 6));
    column->addLayout(inset(m_details, 4, 6));
    m_aboveList = new QVBoxLayout;
    m_aboveList->setContentsMargins(8, 0, 8, 0);
    column->addLayout(m_aboveList);
    column->addLayout(inset(m_listArea, 8, 8), 1);
    column->addSpacing(2);
    column->addLayout(inset(m_startButton, 14, 10));
}

void MainWindow::placeControls()
{
    // The designed client area is 225 wide and 383 high, the least it takes; it is wider when the menu bar
    // needs more room (a larger default font than the design's, a longer translation). The user may make the
    // window larger, and the list grows with it.
    centralWidget()->setMinimumSize(qMax(225, menuBar()->sizeHint().width()), 383);
}

void MainWindow::addAboveList(QWidget *widget)
{
    m_aboveList->addWidget(widget);
}

void MainWindow::showDetails()
{
    m_detailLines = m_session->detailLines();
    fitDetails();
}

void MainWindow::fitDetails()
{
    // Three lines at the design's size, one more for each line's height the window has grown, so the list
    // keeps its room; each line cut to the width, and all of them in the tooltip.
    const QFontMetrics metrics(m_details->font());
    const int grown = m_designHeight > 0 ? qMax(0, height() - m_designHeight) : 0;
    // Without lines nothing is measured: the label stays hidden, and its smaller font is not loaded at start-up.
    const qsizetype room = m_detailLines.isEmpty() ? 0 : 3 + grown / qMax(1, metrics.lineSpacing());
    const int width = qMax(40, centralWidget()->width() - 10); // the label's insets
    const QString more = QStringLiteral(" \u2026");
    QStringList shown;
    for (qsizetype i = 0; i < qMin(room, m_detailLines.size()); ++i) {
        const bool last = i == room - 1 && m_detailLines.size() > room;
        const int left = last ? width - metrics.horizontalAdvance(more) : width;
        shown.append(metrics.elidedText(m_detailLines[i], Qt::ElideRight, left) + (last ? more : QString()));
    }
    const QString all = m_detailLines.join(u'\n');
    m_details->setText(shown.join(u'\n'));
    m_details->setToolTip(all);
    m_details->setAccessibleDescription(all);
    m_details->setVisible(!m_detailLines.isEmpty());
}

void MainWindow::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    if (!m_detailLines.isEmpty())
        fitDetails();
}

// ---- Shared state ----

QListView *MainWindow::listView() const
{
    return m_gameList->view();
}

QString MainWindow::statusPanel(int panel) const
{
    return panel == 0 ? m_panel0->text() : m_panel1->text();
}

QAction *MainWindow::action(const char *name) const
{
    return m_menus->item(name);
}

QMenu *MainWindow::popupMenu() const
{
    return m_menus->popup();
}

const View *MainWindow::markedView() const
{
    return m_menus->markedView();
}

QDialog *MainWindow::readmeViewer() const
{
    return m_help->readmeViewer();
}

// ---- The Game Genie switch ----

void MainWindow::gameGenieSwitchToggled()
{
    m_session->setCheatsOn(m_gameGenieSwitch->isChecked());
    if (EmulatorKinds::writesZiboCfg(SettingsFile()))
        m_session->configTemplate().saveAs(ConfigTemplate::fileIn(SettingsFile().read(Keys::Zibod, QString())));
}

// ---- Window ----

void MainWindow::placeFromSettings()
{
    const SettingsFile settings;
    move(settings.read(Keys::Left), settings.read(Keys::Top));
    // The size stored at shutdown, never below the design's size, which is also what none keeps.
    adjustSize();
    m_designHeight = height();
    const QSize stored(settings.read(Keys::Width), settings.read(Keys::Height));
    if (stored.width() > 0 && stored.height() > 0)
        resize(stored.expandedTo(size()));
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    try {
        SettingsFile settings;
        settings.write(Keys::Top, y());
        settings.write(Keys::Left, x());
        // The codes dialog's place, where it stands, or where it would open when it was never shown.
        if (const GameGenieDialog *codes = m_windows.gameGenieDialog.ifMade()) {
            settings.write(Keys::Top2, codes->y());
            settings.write(Keys::Left2, codes->x());
        } else {
            settings.write(Keys::Top2, settings.read(Keys::Top2));
            settings.write(Keys::Left2, settings.read(Keys::Left2));
        }
        settings.write(Keys::Width, width());
        settings.write(Keys::Height, height());
    } catch (const CartlingError &error) {
        // The position is lost, but the program still ends: a refused write must not keep it open.
        reportError(error);
    }
    event->accept();
    emit closed();
}

void MainWindow::showEvent(QShowEvent *event)
{
    placeControls();
    if (!m_placedOnShow) {
        m_placedOnShow = true;
        placeFromSettings();
    }
    QMainWindow::showEvent(event);
}

void MainWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        guarded([this] { m_screenshots->loadSelectedPicture(); })();
    QMainWindow::changeEvent(event);
}
