#include "mainwindow/TForm1.h"

#include "archive/ZipLibrary.h"
#include "emulator/Launcher.h"
#include "emulator/TForm12.h"
#include "emulator/TForm3.h"
#include "emulator/TForm4.h"
#include "emulator/TForm5.h"
#include "emulator/TForm6.h"
#include "emulator/TForm7.h"
#include "gamegenie/TForm8.h"
#include "language/Language.h"
#include "language/LanguageTable.h"
#include "language/MessageTable.h"
#include "language/TForm13.h"
#include "mainwindow/MenuStates.h"
#include "mainwindow/RomListView.h"
#include "mainwindow/TForm11.h"
#include "mainwindow/TForm2.h"
#include "mainwindow/Windows.h"
#include "platform/ErrorHandler.h"
#include "platform/FileLookup.h"
#include "platform/Messages.h"
#include "platform/PathHelpers.h"
#include "platform/Places.h"
#include "platform/TextFile.h"
#include "screenshots/TForm14.h"
#include "settings/BaseFolder.h"
#include "settings/SettingsFile.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// The marker in front of the marked view.
QIcon markerIcon()
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(QColor(0x2e, 0x8b, 0x57));
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(QRectF(4, 4, 8, 8));
    return QIcon(pixmap);
}

QString msg(int index)
{
    return messageTable().text(index);
}

} // namespace

TForm1::TForm1(Windows &windows)
    : m_windows(windows), m_language(std::make_unique<Language>([this] { return m_windows.all(); }))
{
    setObjectName(QStringLiteral("TForm1"));
    setWindowTitle(QStringLiteral("Cartling 1.7"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    BaseFolder::capture(); // DirectoryListBox1: the current folder, once
    createControls();
    createMenus();
    createRomListMenu();
    placeControls();

    // The ZIP library must be usable, or the program ends here.
    if (const auto failure = checkZipLibrary()) {
        messages().error(*failure);
        return;
    }
    // The extraction folder and the base folder's own folders; one that cannot be made is skipped silently.
    Places::ensureExtractionFolder();
    QDir base(BaseFolder::path());
    for (const char *folder : {"Roms", "Rts", "Save", "Zibo", "Shoots"})
        base.mkdir(QString::fromLatin1(folder));
    // The extraction list looks at the extraction folder.
    m_flbFolder = Places::extractionFolder();
    placeFromSettings();
    // The messages exist before the ROM folder check may need one.
    messageTable().cargar_mensajes(LanguageTable::builtin());
    // The stored ROM folder, or the base folder with a message when it is gone (the setting stays).
    const QString roms = SettingsFile().read(Keys::Roms, BaseFolder::path());
    if (roms.isEmpty() || !QFileInfo(roms).isDir()) {
        showMessage(
            messageTable().text(Msg::FolderMissingStart, QDir::toNativeSeparators(roms), Msg::FolderMissingEnd));
        m_romList.setFolder(BaseFolder::path());
    } else {
        m_romList.setFolder(roms);
    }
    restoreView();
    // The stored palette line, handed to the audio/video options.
    m_edit2 = SettingsFile().read(Keys::Dcs);
    // Button4: the list is loaded once more, as a refresh without the count.
    Button4Click();
    m_started = true;
}

TForm1::~TForm1()
{
    delete m_readmeViewer.data();
}

// ---- Construction ----

void TForm1::createControls()
{
    auto *client = new QWidget(this);
    setCentralWidget(client);

    auto *compress = named(new QToolButton(client), "SpeedButton1");
    compress->setAutoRaise(true);
    compress->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    compress->setIconSize(QSize(24, 24));
    compress->setToolTip(QStringLiteral("Comprime Juego Seleccionado"));

    auto *group = named(new QGroupBox(QString::fromUtf8("Usar Códigos Game Genie"), client), "GroupBox1");
    QFont small = group->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    group->setFont(small);
    m_checkBox1 = named(new QCheckBox(group), "CheckBox1");
    m_checkBox1->setGeometry(6, 17, 18, 20);
    auto *editCodes = named(new QPushButton(QStringLiteral("Editar Codigos"), group), "Button2");
    editCodes->setGeometry(26, 16, 116, 22);

    auto *divider = named(new QFrame(client), "AHMFormDivider1");
    divider->setFrameShape(QFrame::HLine);
    divider->setFrameShadow(QFrame::Sunken);

    m_title = named(new QLabel(client), "AHMLabel1");
    m_title->setAlignment(Qt::AlignCenter);
    m_title->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    QFont bold = m_title->font();
    bold.setBold(true);
    m_title->setFont(bold);

    auto *list = named(new RomListView(client), "Filelistbox1");
    list->setModel(&m_romList);
    m_list = list;

    m_button1 = named(new QPushButton(client), "Button1");
    m_button1->setIcon(style()->standardIcon(QStyle::SP_MediaPlay));
    m_button1->setIconSize(QSize(28, 28));
    m_button1->setToolTip(QStringLiteral("Jugar"));
    m_button1->setAccessibleName(QStringLiteral("Jugar"));
    setFocusProxy(m_button1);
    m_button1->setFocus();

    auto *status = named(new QStatusBar(this), "StatusBar1");
    status->setSizeGripEnabled(false);
    status->setFixedHeight(19);
    m_panel0 = new QLabel(status);
    m_panel0->setFixedWidth(40);
    m_panel1 = new QLabel(status);
    m_panel1->setMinimumWidth(50);
    status->addWidget(m_panel0);
    status->addWidget(m_panel1, 1);
    setStatusBar(status);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    placeControls();

    m_timer1 = named(new QTimer(this), "Timer1");
    m_timer1->setInterval(700);

    connect(m_button1, &QPushButton::clicked, this, guarded([this] { playSelected(); }));
    connect(m_checkBox1, &QCheckBox::toggled, this, guarded([this] { CheckBox1Click(); }));
    connect(editCodes, &QPushButton::clicked, this, guarded([this] {
                if (m_windows.form8)
                    m_windows.form8->show();
            }));
    connect(list, &RomListView::clickedAnywhere, this, guarded([this] { selectionHandling(); }));
    connect(list, &RomListView::keyReleased, this, guarded([this] { selectionHandling(); }));
    connect(list, &RomListView::enterPressed, this, guarded([this] {
                if (!selectedEntry())
                    return;
                cargarimagen();
                playSelected();
            }));
    connect(list, &RomListView::doubleClickedAnywhere, this, guarded([this] { playSelected(); }));
    connect(list, &RomListView::popupRequested, this, guarded([this](QPoint pos) {
                popupOpening();
                m_popup->popup(pos);
            }));
    connect(&m_romList, &QAbstractItemModel::modelReset, this, [this] {
        // After a re-read the first entry has the focus mark and nothing is selected.
        if (m_romList.count() > 0)
            m_list->selectionModel()->setCurrentIndex(m_romList.index(0), QItemSelectionModel::NoUpdate);
        showCount();
    });
    connect(list->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] { showCount(); });
}

void TForm1::placeControls()
{
    // The designed client area is 225 wide; it grows when the menu bar needs more room (a larger default
    // font than the design's, a longer translation), and the controls stretch with it.
    const int width = qMax(225, menuBar()->sizeHint().width());
    QWidget *client = centralWidget();
    client->setFixedSize(width, 383);
    const int extra = width - 225;
    client->findChild<QWidget *>(QStringLiteral("SpeedButton1"))->setGeometry(14, 4, 36, 37);
    client->findChild<QWidget *>(QStringLiteral("GroupBox1"))->setGeometry(73 + extra, 0, 148, 41);
    client->findChild<QWidget *>(QStringLiteral("AHMFormDivider1"))->setGeometry(0, 42, width, 4);
    m_title->setGeometry(4, 50, 215 + extra, 17);
    m_list->setGeometry(8, 71, 209 + extra, 260);
    m_button1->setGeometry(14, 337, 201 + extra, 41);
}

QAction *TForm1::addItem(QMenu *menu, const char *name, const QString &caption, const QKeySequence &shortcut)
{
    auto *item = named(menu->addAction(caption), name);
    item->setShortcut(shortcut);
    return item;
}

void TForm1::createMenus()
{
    QMenuBar *bar = menuBar();
    bar->setNativeMenuBar(false);
    const auto on = [this](QAction *item, auto handler) {
        connect(item, &QAction::triggered, this, guarded(std::move(handler)));
    };

    QMenu *file = named(bar->addMenu(QStringLiteral("Archivo")), "AHMMenuItem1");
    on(addItem(file, "Jugar1", QStringLiteral("Jugar"), QKeySequence(Qt::CTRL | Qt::Key_P)),
       [this] { playSelected(); });
    file->addSeparator();
    on(addItem(file, "BuscarRoms1", QStringLiteral("Buscar Roms"), QKeySequence(Qt::CTRL | Qt::Key_R)),
       [this] { BuscarRoms1Click(); });
    on(addItem(file, "BuscarZiboexe1", QStringLiteral("Buscar Zibo"), QKeySequence(Qt::CTRL | Qt::Key_D)),
       [this] { BuscarZiboexe1Click(); });
    file->addSeparator();
    addItem(file, "ImportarnombredejuegoaGGcodesini1",
            QString::fromUtf8("Generar lista de Títulos para Códigos Game Genie"), QKeySequence(Qt::CTRL | Qt::Key_I));
    addItem(file, "GenerarlistadeTitulos1", QString::fromUtf8("Generar lista de Títulos (A Todo)"),
            QKeySequence(Qt::CTRL | Qt::Key_G));
    addItem(file, "rat", QString::fromUtf8("Renombrar archivos a títulos (A todo)"));
    addItem(file, "ExtraetTtuloajueoseleccionado1", QString::fromUtf8("Extraer Título a juego seleccionado"));
    addItem(file, "AHMMenuItem17", QString::fromUtf8("Exportar Nombre a Lista de Códigos"));
    file->addSeparator();
    addItem(file, "Comprimir2", QStringLiteral("Comprimir"));
    addItem(file, "Descomprimir2", QStringLiteral("Descomprimir"));
    file->addSeparator();
    addItem(file, "Eliminar", QStringLiteral("Eliminar"));
    addItem(file, "Rename", QStringLiteral("Cambiar Nombre"));
    addItem(file, "cambiartitulo2", QString::fromUtf8("Cambiar Título"));
    addItem(file, "rat1", QString::fromUtf8("Renombrar Archivo a Título"));
    file->addSeparator();
    on(addItem(file, "Salir1", QStringLiteral("Salir"), QKeySequence(Qt::CTRL | Qt::Key_S)), [this] { close(); });

    QMenu *view = named(bar->addMenu(QStringLiteral("Ver")), "AHMMenuItem3");
    for (const View &v : kViews) {
        const View *chosen = &v;
        on(addItem(view, v.action, QString::fromUtf8(v.caption)), [this, chosen] { chooseView(*chosen); });
    }
    view->addSeparator();
    QAction *shots = addItem(view, "ss", QStringLiteral("Screen Shoots"));
    shots->setCheckable(true);
    view->addSeparator();
    on(addItem(view, "Actualizar1", QStringLiteral("Actualizar")), [this] { refresh(); });
    markView(kViews[5]); // the list's own mask: "Todas las Roms" marked until a view is restored

    QMenu *options = named(bar->addMenu(QString::fromUtf8("Configuración")), "AHMMenuItem4");
    const auto dialog = [this](auto member) {
        return [this, member] {
            if (QDialog *d = (m_windows.*member).get())
                d->exec();
        };
    };
    on(addItem(options, "AudioVideo1", QStringLiteral("Audio / Video"), QKeySequence(Qt::CTRL | Qt::Key_A)),
       dialog(&Windows::form3));
    on(addItem(options, "Controles1", QStringLiteral("Teclado"), QKeySequence(Qt::CTRL | Qt::Key_T)),
       dialog(&Windows::form4));
    on(addItem(options, "Joystick1", QStringLiteral("Joystick"), QKeySequence(Qt::CTRL | Qt::Key_J)),
       dialog(&Windows::form6));
    on(addItem(options, "Controles2", QStringLiteral("Controles"), QKeySequence(Qt::CTRL | Qt::Key_C)),
       dialog(&Windows::form7));
    on(addItem(options, "Otras1", QStringLiteral("Otras Configuraciones 1 "), QKeySequence(Qt::CTRL | Qt::Key_O)),
       dialog(&Windows::form5));
    on(addItem(options, "otras2", QStringLiteral("Otras Configuraciones 2 "), QKeySequence(Qt::CTRL | Qt::Key_V)),
       dialog(&Windows::form12));
    options->addSeparator();
    QAction *language = addItem(options, "AHMMenuItem15", QStringLiteral("Idioma"), QKeySequence(Qt::CTRL | Qt::Key_I));
    // Ctrl+I belongs to the "Archivo" item in the window; inside the open menu it reaches "Idioma".
    language->setShortcutContext(Qt::WidgetShortcut);
    on(language, dialog(&Windows::form13));

    QMenu *help = named(bar->addMenu(QStringLiteral(".Ayuda")), "AHMMenuItem6");
    on(addItem(help, "Leeme1", QString::fromUtf8("Léeme")), [this] { Leeme1Click(); });
    on(addItem(help, "Acercade1", QStringLiteral("Acerca de..")), [this] { Acercade1Click(); });
    on(addItem(help, "AHMMenuItem13", QStringLiteral("Home Page")), [this] { AHMMenuItem13Click(); });

    for (const SelectionItem &item : kSelectionItems) {
        if (QAction *a = action(item.action))
            a->setEnabled(false);
    }
}

void TForm1::createRomListMenu()
{
    m_popup = named(new QMenu(this), "AHMPopupMenu1");
    const auto on = [this](QAction *item, auto handler) {
        connect(item, &QAction::triggered, this, guarded(std::move(handler)));
    };
    on(addItem(m_popup, "Jugar2", QStringLiteral("Jugar")), [this] { playSelected(); });
    m_popup->addSeparator();
    addItem(m_popup, "Comprimir1", QStringLiteral("Comprimir"));
    addItem(m_popup, "Descomprimir1", QStringLiteral("Descomprimir"));
    m_popup->addSeparator();
    addItem(m_popup, "Importarnombreaggcodesini1", QString::fromUtf8("Exportar nombre a Lista de Códigos"));
    addItem(m_popup, "ExtraerTtulo1", QString::fromUtf8("Extraer Título"));
    m_popup->addSeparator();
    for (const char *name : {"Eliminar2", "Rename2", "Cambiartitulo", "rat2"}) {
        static const QHash<QString, QString> captions{
            {QStringLiteral("Eliminar2"), QStringLiteral("Eliminar")},
            {QStringLiteral("Rename2"), QStringLiteral("Cambiar nombre")},
            {QStringLiteral("Cambiartitulo"), QString::fromUtf8("Cambiar Título")},
            {QStringLiteral("rat2"), QString::fromUtf8("Renombrar Archivo a Título")}};
        addItem(m_popup, name, captions.value(QString::fromLatin1(name)))->setEnabled(false);
    }
    m_popup->addSeparator();
    on(addItem(m_popup, "Actualizar2", QStringLiteral("Actualizar")), [this] { refresh(); });
    m_popup->addSeparator();
    on(addItem(m_popup, "AHMMenuItem12", QStringLiteral("Salir")), [this] { close(); });
}

// ---- Shared state ----

std::optional<RomListModel::Entry> TForm1::selectedEntry() const
{
    const QModelIndexList selected = m_list->selectionModel()->selectedIndexes();
    if (selected.isEmpty() || selected.first().row() >= m_romList.count())
        return std::nullopt;
    return m_romList.entry(selected.first().row());
}

QString TForm1::statusPanel(int panel) const
{
    return panel == 0 ? m_panel0->text() : m_panel1->text();
}

QAction *TForm1::action(const char *name) const
{
    return findChild<QAction *>(QString::fromLatin1(name));
}

// ---- The ROM list ----

void TForm1::showCount()
{
    m_panel1->setText(msg(Msg::GameCount) + QString::number(m_romList.count()));
}

void TForm1::validarseleccion()
{
    std::optional<QString> path;
    if (const auto entry = selectedEntry())
        path = entry->fullPath;
    for (const SelectionItem &item : kSelectionItems) {
        if (QAction *a = action(item.action))
            a->setEnabled(enabledFor(item.rule, path));
    }
}

void TForm1::cargardatos()
{
    // Title label and Game Genie codes of the selection come with the titles and codes.
}

void TForm1::cargarimagen()
{
    // The picture of the selection comes with the screenshot viewer.
}

void TForm1::updateSelectionHolders()
{
    const auto entry = selectedEntry();
    if (!entry)
        return;
    m_edit1 = Launcher::commandLine(SettingsFile().read(Keys::Zibo), entry->fullPath);
    m_panel0->setText(QString::number(m_edit1.size()));
    m_al1 = QStringList{entry->fullPath};
}

void TForm1::selectionHandling()
{
    cargarimagen();
    validarseleccion();
    cargardatos();
    updateSelectionHolders();
}

void TForm1::popupOpening()
{
    validarseleccion();
    cargardatos();
    cargarimagen();
    updateSelectionHolders();
}

void TForm1::Button4Click()
{
    // A missing folder keeps the list's current folder, which is read again all the same.
    if (!m_romList.setFolder(SettingsFile().read(Keys::Roms, BaseFolder::path())))
        m_romList.reread();
}

void TForm1::refresh()
{
    Button4Click();
    showCount();
    const QString picture = BaseFolder::file(QStringLiteral("ctg.jpg"));
    if (m_windows.form14 && QFileInfo::exists(picture))
        m_windows.form14->loadPicture(picture);
}

void TForm1::markView(const View &view)
{
    static const QIcon marker = markerIcon();
    for (const View &v : kViews) {
        if (QAction *a = action(v.action))
            a->setIcon(&v == &view ? marker : QIcon());
    }
    m_markedView = &view;
}

void TForm1::chooseView(const View &view)
{
    SettingsFile().write(Keys::Troms, view.troms);
    markView(view);
    m_romList.setMask(QString::fromLatin1(view.mask));
    m_title->clear();
    showCount();
}

void TForm1::restoreView()
{
    if (const View *view = viewForTroms(SettingsFile().read(Keys::Troms))) {
        markView(*view);
        m_romList.setMask(QString::fromLatin1(view->mask));
    }
}

void TForm1::restoreScreenshotSwitch()
{
    QAction *shots = action("ss");
    const bool on = SettingsFile().read(Keys::Shoots);
    shots->setChecked(on);
    if (on) {
        shots->setIcon(markerIcon());
        if (m_windows.form14)
            m_windows.form14->show();
    }
}

// ---- Launch ----

void TForm1::jugar(const QString &rom)
{
    Launcher launcher(m_template, {[this] { m_timer1->start(); },
                                   [this] {
                                       if (m_windows.form8)
                                           m_windows.form8->RevisardatosClick();
                                       applyGameGenieSwitch();
                                   }});
    if (const auto line = launcher.jugar(rom))
        m_edit1 = *line;
}

void TForm1::playSelected()
{
    if (const auto entry = selectedEntry())
        jugar(entry->fullPath);
}

void TForm1::applyGameGenieSwitch()
{
    if (TForm8 *codes = m_windows.form8.get()) {
        if (m_checkBox1->isChecked())
            codes->Button6Click();
        else
            codes->Button7Click();
    }
}

void TForm1::CheckBox1Click()
{
    applyGameGenieSwitch();
    m_template.saveAs(ConfigTemplate::fileIn(SettingsFile().read(Keys::Zibod, QString())));
}

// ---- Folders and the emulator ----

void TForm1::BuscarRoms1Click()
{
    if (m_windows.form2)
        m_windows.form2->exec();
}

void TForm1::BuscarZiboexe1Click()
{
    const QString filter = QStringLiteral("Zibo (zibo zibo.exe);;Ejecutables (*.exe);;Todos los archivos (*)");
    const QString file = QFileDialog::getOpenFileName(this, action("BuscarZiboexe1")->text(), QString(), filter);
    storeEmulatorPath(file);
}

void TForm1::storeEmulatorPath(const QString &file)
{
    if (file.isEmpty())
        return;
    SettingsFile settings;
    settings.write(Keys::Zibo, file);
    settings.write(Keys::Zibod, folderof(file));
}

// ---- Help ----

void TForm1::Leeme1Click()
{
    const QString base = BaseFolder::path();
    const bool spanish =
        SettingsFile().read(Keys::ArchName, QString::fromUtf8("español.cti")) == QString::fromUtf8("español.cti");
    const QStringList candidates = spanish ? QStringList{QStringLiteral("leeme.txt"), QString::fromUtf8("léeme.txt")}
                                           : QStringList{QStringLiteral("readme.txt")};
    QString found;
    for (const QString &name : candidates) {
        found = FileLookup::find(base, name);
        if (!found.isEmpty())
            break;
    }
    if (found.isEmpty()) {
        showMessage(msg(Msg::ReadmeMissing));
        return;
    }
    if (!m_readmeViewer) {
        m_readmeViewer = new QDialog(nullptr, Qt::Window | Qt::WindowCloseButtonHint | Qt::WindowTitleHint);
        m_readmeViewer->setObjectName(QStringLiteral("ReadmeViewer"));
        m_readmeViewer->resize(550, 400);
        auto *layout = new QVBoxLayout(m_readmeViewer);
        layout->setContentsMargins(0, 0, 0, 0);
        auto *text = named(new QPlainTextEdit(m_readmeViewer), "AHMTextFileView1");
        text->setReadOnly(true);
        text->setLineWrapMode(QPlainTextEdit::NoWrap);
        text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
        layout->addWidget(text);
    }
    m_readmeViewer->setWindowTitle(filenameof(found));
    m_readmeViewer->findChild<QPlainTextEdit *>(QStringLiteral("AHMTextFileView1"))
        ->setPlainText(TextFile::read(found).value_or(QString()));
    m_readmeViewer->show();
    m_readmeViewer->raise();
}

void TForm1::Acercade1Click()
{
    messages().about(
        QStringLiteral("Cartling"),
        QStringLiteral("CARTLING  V1.7\nA front-end for the Zibo Game Boy emulator, by the Cartling developers."));
}

void TForm1::AHMMenuItem13Click()
{
    if (m_windows.form11)
        m_windows.form11->exec();
}

// ---- Window ----

void TForm1::placeFromSettings()
{
    const SettingsFile settings;
    move(settings.read(Keys::Left), settings.read(Keys::Top));
}

void TForm1::closeEvent(QCloseEvent *event)
{
    try {
        SettingsFile settings;
        settings.write(Keys::Top, y());
        settings.write(Keys::Left, x());
        if (m_windows.form8) {
            settings.write(Keys::Top2, m_windows.form8->y());
            settings.write(Keys::Left2, m_windows.form8->x());
        }
    } catch (const CartlingError &error) {
        // The position is lost, but the program still ends: a refused write must not keep it open.
        reportError(error);
    }
    event->accept();
    emit closed();
}

void TForm1::showEvent(QShowEvent *event)
{
    placeControls();
    if (!m_placedOnShow) {
        m_placedOnShow = true;
        placeFromSettings();
    }
    QMainWindow::showEvent(event);
}

void TForm1::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        guarded([this] { cargarimagen(); })();
    QMainWindow::changeEvent(event);
}
