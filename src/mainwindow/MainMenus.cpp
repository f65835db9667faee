#include "mainwindow/MainMenus.h"

#include "language/LanguageTable.h"
#include "mainwindow/MenuStates.h"
#include "mainwindow/ToolIcons.h"
#include "platform/FormWindow.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace {

// The marker in front of the marked view and of the "Screen Shoots" switch when it is on.
const QIcon &markerIcon()
{
    static const QIcon icon = ToolIcons::marker();
    return icon;
}

QKeySequence ctrl(Qt::Key key)
{
    return QKeySequence(Qt::CTRL | key);
}

} // namespace

MainMenus::MainMenus(QMainWindow &window) : QObject(&window), m_window(window)
{
    createMenuBar();
    createPopup();
}

QAction *MainMenus::addItem(QMenu *menu, const char *name, const QString &caption, const QKeySequence &shortcut)
{
    QAction *item = addItem(menu, name, caption);
    item->setShortcut(shortcut);
    return item;
}

QAction *MainMenus::addItem(QMenu *menu, const char *name, const QString &caption)
{
    return named(menu->addAction(caption), name);
}

void MainMenus::createMenuBar()
{
    QMenuBar *bar = m_window.menuBar();
    bar->setNativeMenuBar(false);

    QMenu *file = named(bar->addMenu(QStringLiteral("Archivo")), "AHMMenuItem1");
    addItem(file, "Jugar1", QStringLiteral("Jugar"), ctrl(Qt::Key_P));
    file->addSeparator();
    addItem(file, "BuscarRoms1", QStringLiteral("Buscar Roms"), ctrl(Qt::Key_R));
    addItem(file, "BuscarZiboexe1", QStringLiteral("Buscar Zibo"), ctrl(Qt::Key_D));
    file->addSeparator();
    addItem(file, "ImportarnombredejuegoaGGcodesini1",
            QString::fromUtf8("Generar lista de Títulos para Códigos Game Genie"), ctrl(Qt::Key_I));
    addItem(file, "GenerarlistadeTitulos1", QString::fromUtf8("Generar lista de Títulos (A Todo)"), ctrl(Qt::Key_G));
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
    addItem(file, "Salir1", QStringLiteral("Salir"), ctrl(Qt::Key_S));

    QMenu *view = named(bar->addMenu(QStringLiteral("Ver")), "AHMMenuItem3");
    for (const View &v : kViews)
        addItem(view, v.action, QString::fromUtf8(v.caption));
    view->addSeparator();
    addItem(view, "ss", QStringLiteral("Screen Shoots"))->setCheckable(true);
    view->addSeparator();
    addItem(view, "Actualizar1", QStringLiteral("Actualizar"));
    markView(kViews[5]); // the list's own mask: "Todas las Roms" marked until a view is restored

    QMenu *options = named(bar->addMenu(QString::fromUtf8("Configuración")), "AHMMenuItem4");
    addItem(options, "AudioVideo1", QStringLiteral("Audio / Video"), ctrl(Qt::Key_A));
    addItem(options, "Controles1", QStringLiteral("Teclado"), ctrl(Qt::Key_T));
    addItem(options, "Joystick1", QStringLiteral("Joystick"), ctrl(Qt::Key_J));
    addItem(options, "Controles2", QStringLiteral("Controles"), ctrl(Qt::Key_C));
    addItem(options, "Otras1", QStringLiteral("Otras Configuraciones 1 "), ctrl(Qt::Key_O));
    addItem(options, "otras2", QStringLiteral("Otras Configuraciones 2 "), ctrl(Qt::Key_V));
    options->addSeparator();
    QAction *language = addItem(options, "AHMMenuItem15", QStringLiteral("Idioma"), ctrl(Qt::Key_I));
    // Ctrl+I belongs to the "Archivo" item in the window; inside the open menu it reaches "Idioma".
    language->setShortcutContext(Qt::WidgetShortcut);

    QMenu *help = named(bar->addMenu(QStringLiteral(".Ayuda")), "AHMMenuItem6");
    addItem(help, "Leeme1", QString::fromUtf8("Léeme"));
    addItem(help, "Acercade1", QStringLiteral("Acerca de.."));
    addItem(help, "AHMMenuItem13", QStringLiteral("Home Page"));

    for (const SelectionItem &selectionItem : kSelectionItems) {
        if (QAction *a = item(selectionItem.action))
            a->setEnabled(false);
    }
}

void MainMenus::createPopup()
{
    m_popup = named(new QMenu(&m_window), "AHMPopupMenu1");
    addItem(m_popup, "Jugar2", QStringLiteral("Jugar"));
    m_popup->addSeparator();
    addItem(m_popup, "Comprimir1", QStringLiteral("Comprimir"));
    addItem(m_popup, "Descomprimir1", QStringLiteral("Descomprimir"));
    m_popup->addSeparator();
    addItem(m_popup, "Importarnombreaggcodesini1", QString::fromUtf8("Exportar nombre a Lista de Códigos"));
    addItem(m_popup, "ExtraerTtulo1", QString::fromUtf8("Extraer Título"));
    m_popup->addSeparator();
    // The file operations start disabled; the other pop-up items start enabled.
    addItem(m_popup, "Eliminar2", QStringLiteral("Eliminar"))->setEnabled(false);
    addItem(m_popup, "Rename2", QStringLiteral("Cambiar nombre"))->setEnabled(false);
    addItem(m_popup, "Cambiartitulo", QString::fromUtf8("Cambiar Título"))->setEnabled(false);
    addItem(m_popup, "rat2", QString::fromUtf8("Renombrar Archivo a Título"))->setEnabled(false);
    m_popup->addSeparator();
    addItem(m_popup, "Actualizar2", QStringLiteral("Actualizar"));
    m_popup->addSeparator();
    addItem(m_popup, "AHMMenuItem12", QStringLiteral("Salir"));
}

QAction *MainMenus::item(const char *name) const
{
    return m_window.findChild<QAction *>(QString::fromLatin1(name));
}

QMenu *MainMenus::menu(const char *name) const
{
    for (QAction *top : m_window.menuBar()->actions()) {
        if (top->menu() && top->menu()->objectName() == QLatin1String(name))
            return top->menu();
    }
    return nullptr;
}

QAction *MainMenus::addFeatureItem(QMenu *menu, const char *name, int textIndex, const QKeySequence &shortcut,
                                   QAction *before)
{
    auto *item = named(new QAction(LanguageTable::builtinText(textIndex), menu), name);
    item->setShortcut(shortcut);
    menu->insertAction(before, item);
    return item;
}

void MainMenus::followSelection(QAction *item, SelectionRule rule)
{
    item->setEnabled(rule(std::nullopt));
    m_following.push_back({item, std::move(rule)});
}

void MainMenus::markView(const View &view)
{
    for (const View &v : kViews) {
        if (QAction *a = item(v.action))
            a->setIcon(&v == &view ? markerIcon() : QIcon());
    }
    m_markedView = &view;
}

void MainMenus::setScreenshotSwitch(bool on)
{
    QAction *shots = item("ss");
    shots->setChecked(on);
    shots->setIcon(on ? markerIcon() : QIcon());
}

void MainMenus::updateForSelection(const std::optional<QString> &selectedPath)
{
    for (const SelectionItem &selectionItem : kSelectionItems) {
        if (QAction *a = item(selectionItem.action))
            a->setEnabled(enabledFor(selectionItem.rule, selectedPath));
    }
    for (const FollowingItem &following : m_following)
        following.item->setEnabled(following.rule(selectedPath));
}
