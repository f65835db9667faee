#include "TestSupport.h"

#include "language/Language.h"
#include "language/LanguageApplier.h"
#include "language/LanguageTable.h"
#include "language/MessageTable.h"
#include "platform/ErrorHandler.h"
#include "platform/TextEncoding.h"
#include "settings/Keys.h"
#include "settings/SettingsFile.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <map>
#include <memory>

namespace {

using LanguageTable::Target;
using LanguageTable::TargetKind;

// Every window of the language table, built from the target list with the control kinds the windows use:
// top-level menus as QMenu, other menu items as QAction, and buttons, labels, groups, the edit and the memo.
class FakeWindows
{
public:
    FakeWindows()
    {
        for (const Target &target : LanguageTable::targets())
            add(target);
    }

    QWidget *window(const char *name)
    {
        auto &slot = m_windows[name];
        if (!slot) {
            slot = std::make_unique<QWidget>();
            slot->setObjectName(QLatin1String(name));
        }
        return slot.get();
    }

    QList<QWidget *> all() const
    {
        QList<QWidget *> list;
        for (const auto &[name, window] : m_windows)
            list.append(window.get());
        return list;
    }

    // The text that a target shows now.
    QString shown(const Target &target)
    {
        QWidget *w = window(target.window);
        if (target.kind == TargetKind::WindowTitle)
            return w->windowTitle();
        const QObject *o = w->findChild<QObject *>(QLatin1String(target.component));
        for (const char *property : {"title", "text", "plainText"}) {
            if (o && o->metaObject()->indexOfProperty(property) >= 0)
                return o->property(property).toString();
        }
        return QStringLiteral("<missing>");
    }

private:
    void add(const Target &target)
    {
        QWidget *w = window(target.window);
        const QString name = QLatin1String(target.component);
        if (target.kind == TargetKind::WindowTitle || w->findChild<QObject *>(name))
            return;
        QObject *control = nullptr;
        if (QLatin1String(target.window) == QLatin1String("TForm1") && !name.startsWith(QLatin1String("GroupBox")) &&
            !name.startsWith(QLatin1String("Button"))) {
            if (!m_bar) {
                m_bar = new QMenuBar(w);
                m_popup = new QMenu(w);
                m_popup->setObjectName(QStringLiteral("AHMPopupMenu1"));
            }
            if (name.startsWith(QLatin1String("AHMMenuItem")) && name.size() <= 12) // the top-level menus
                control = m_bar->addMenu(QString());
            else
                control = m_popup->addAction(QString()); // a grandchild of the window
        } else if (name.startsWith(QLatin1String("Label"))) {
            control = new QLabel(w);
        } else if (name.startsWith(QLatin1String("GroupBox"))) {
            control = new QGroupBox(w);
        } else if (name.startsWith(QLatin1String("RadioButton"))) {
            control = new QRadioButton(w);
        } else if (name.startsWith(QLatin1String("Button"))) {
            control = new QPushButton(w);
        } else if (target.kind == TargetKind::EditText) {
            control = new QLineEdit(w);
        } else if (target.kind == TargetKind::MemoText) {
            control = new QPlainTextEdit(w);
        } else {
            control = new QCheckBox(w);
        }
        control->setObjectName(name);
    }

    std::map<std::string, std::unique_ptr<QWidget>> m_windows;
    QMenuBar *m_bar = nullptr;
    QMenu *m_popup = nullptr;
};

QStringList numberedTable(const QString &prefix)
{
    QStringList table;
    for (int i = 0; i < LanguageTable::EntryCount; ++i)
        table.append(prefix + QString::number(i));
    return table;
}

// ---- Applying ----

TEST(LanguageApplier, EveryTargetKindReceivesItsEntry)
{
    FakeWindows windows;
    ASSERT_TRUE(unreachedTargets(windows.all()).isEmpty());
    QSignalSpy edited(windows.window("TForm3")->findChild<QLineEdit *>("edit1"), &QLineEdit::textChanged);
    QStringList table = numberedTable(QStringLiteral("T"));
    table[175] = QStringLiteral("first line\nsecond line");

    applyLanguage(table, windows.all());

    for (const Target &target : LanguageTable::targets())
        EXPECT_EQ(windows.shown(target), table[target.index]) << target.window << " " << target.component;
    // The recording name's change handler runs as it does for typing.
    EXPECT_EQ(edited.count(), 1);
    // Entries shared by several components reach all of them.
    EXPECT_EQ(windows.window("TForm14")->windowTitle(), "T153");
    EXPECT_EQ(windows.window("TForm12")->findChild<QGroupBox *>("GroupBox2")->title(), "T153");
    EXPECT_EQ(windows.window("TForm1")->findChild<QAction *>("ss")->text(), "T153");
    for (const char *form : {"TForm11", "TForm12", "TForm13"})
        EXPECT_EQ(windows.window(form)->findChild<QPushButton *>("Button1")->text(), "T101") << form;
}

TEST(LanguageApplier, ADialogOwnedByAnotherWindowKeepsItsOwnTexts)
{
    // Dialogs are parented to the main window; their "Button2" must not take the main window's entry 41.
    QWidget main;
    main.setObjectName(QStringLiteral("TForm1"));
    auto *edit = new QPushButton(&main);
    edit->setObjectName(QStringLiteral("Button2"));
    auto *dialog = new QWidget(&main, Qt::Dialog);
    dialog->setObjectName(QStringLiteral("TForm2"));
    auto *cancel = new QPushButton(QStringLiteral("Cancelar"), dialog);
    cancel->setObjectName(QStringLiteral("Button2"));

    applyLanguage(numberedTable(QStringLiteral("T")), {&main});
    EXPECT_EQ(edit->text(), "T41");
    EXPECT_EQ(cancel->text(), "Cancelar");

    applyLanguage(numberedTable(QStringLiteral("U")), {&main, dialog});
    EXPECT_EQ(edit->text(), "U41");
    EXPECT_EQ(cancel->text(), "U44");
    EXPECT_EQ(dialog->windowTitle(), "U42");
}

TEST(LanguageApplier, MissingControlsOfBuiltWindowsAreReported)
{
    QWidget keyboard;
    keyboard.setObjectName(QStringLiteral("TForm4"));
    for (const char *name : {"Label1", "Label2", "Label3", "Label4", "Label5", "Label6", "Label7", "Label8"})
        (new QLabel(&keyboard))->setObjectName(QLatin1String(name));
    (new QPushButton(&keyboard))->setObjectName(QStringLiteral("Button1"));
    (new QCheckBox(&keyboard))->setObjectName(QStringLiteral("autoa"));
    (new QWidget(&keyboard))->setObjectName(QStringLiteral("autob")); // takes no text

    QStringList unreached;
    for (const Target &target : unreachedTargets({&keyboard}))
        unreached.append(QLatin1String(target.component));
    // Windows that are not built are not reported.
    EXPECT_EQ(unreached, QStringList({"Button2", "autob"}));

    // The keyboard dialog's key labels lose the blanks and colon of their built-in captions, each beside its key.
    QStringList table = LanguageTable::builtin();
    table[167] = QStringLiteral("Auswahl");
    applyLanguage(table, {&keyboard});
    EXPECT_EQ(keyboard.findChild<QLabel *>("Label5")->text(), "A");
    EXPECT_EQ(keyboard.findChild<QLabel *>("Label8")->text(), "Auswahl");
    EXPECT_EQ(keyboard.findChild<QLabel *>("Label7")->text(), "Start");
}

// ---- Loading a language file ----

class LanguageLoading : public BaseFolderTest
{
protected:
    void TearDown() override
    {
        messageTable().loadMessages(LanguageTable::builtin());
        BaseFolderTest::TearDown();
    }

    void writeLanguage(const QString &name, const QStringList &lines)
    {
        writeFile(name, TextEncoding::encode(TextEncoding::joinLines(lines)));
    }
    void choose(const QString &name)
    {
        SettingsFile settings;
        settings.write(Keys::ArchId, path(name));
        settings.write(Keys::ArchName, name);
    }

    FakeWindows m_windows;
    Language m_language{[this] { return m_windows.all(); }};
};

TEST_F(LanguageLoading, A125LineFileIsRefusedAndChangesNothingVisible)
{
    applyLanguage(LanguageTable::builtin(), m_windows.all());
    writeLanguage("short.cti", numberedTable(QStringLiteral("S")).mid(0, 125));

    EXPECT_FALSE(m_language.loadLanguageFile(path("short.cti"), QStringLiteral("short.cti")));

    EXPECT_EQ(m_messages.shown, QStringList({QStringLiteral("short.cti No es Válido")}));
    for (const Target &target : LanguageTable::targets())
        EXPECT_EQ(m_windows.shown(target), LanguageTable::builtinText(target.index)) << target.component;
    EXPECT_EQ(messageTable().text(Msg::GameCount), QStringLiteral("Nº de Juegos = "));
    // The refused file still stands as the table, as nothing reads it before the next file.
    EXPECT_EQ(m_language.table().value(0), "S0");
}

TEST_F(LanguageLoading, A126LineFileIsAppliedAndItsMessagesUsed)
{
    writeLanguage("short.cti", numberedTable(QStringLiteral("S")).mid(0, 126));

    EXPECT_TRUE(m_language.loadLanguageFile(path("short.cti"), QStringLiteral("short.cti")));

    EXPECT_TRUE(m_messages.shown.isEmpty());
    EXPECT_EQ(m_windows.window("TForm1")->findChild<QAction *>("Jugar1")->text(), "S1");
    EXPECT_EQ(messageTable().text(125), "S125");
    // Lines the file lacks keep the built-in texts, for captions and messages alike.
    EXPECT_EQ(m_windows.window("TForm13")->windowTitle(), LanguageTable::builtinText(151));
    EXPECT_EQ(messageTable().text(Msg::NotValid), QStringLiteral("No es Válido"));
}

TEST_F(LanguageLoading, TheStoredChoiceIsLoadedWhenItsFileExists)
{
    EXPECT_FALSE(m_language.loadStoredLanguage()); // nothing chosen
    choose(QStringLiteral("gone.cti"));
    EXPECT_FALSE(m_language.loadStoredLanguage()); // a vanished file is passed over silently
    choose(QStringLiteral("english.cti"));
    QFile::copy(QStringLiteral(CARTLING_SOURCE_DIR "/data/english.cti"), path("english.cti"));

    EXPECT_TRUE(m_language.loadStoredLanguage());

    EXPECT_TRUE(m_messages.shown.isEmpty());
    EXPECT_EQ(m_windows.window("TForm1")->findChild<QMenu *>("AHMMenuItem1")->title(), "File");
    EXPECT_EQ(messageTable().text(Msg::FolderMissingStart, "/x", Msg::FolderMissingEnd),
              QStringLiteral("The folder \"/x\" does not exist"));
}

TEST_F(LanguageLoading, BinaryJunkIsRefusedWithTheMessageOnly)
{
    QByteArray junk;
    for (int i = 0; i < 300; ++i)
        junk += QByteArray("\x00\xFF\x13\n", 4);
    writeFile("junk.cti", junk);
    choose(QStringLiteral("junk.cti"));

    EXPECT_FALSE(m_language.loadStoredLanguage());

    EXPECT_EQ(m_messages.shown, QStringList({QStringLiteral("junk.cti No es Válido")}));
    EXPECT_EQ(messageTable().text(Msg::GameCount), QStringLiteral("Nº de Juegos = "));
}

TEST_F(LanguageLoading, AnUnreadableFileIsReportedAsAnError)
{
    makeFolder("folder.cti");
    EXPECT_THROW(m_language.loadLanguageFile(path("folder.cti"), QStringLiteral("folder.cti")), CartlingError);
    EXPECT_EQ(m_language.table(), LanguageTable::builtin());
}

} // namespace
