#include "TestSupport.h"

#include "language/Language.h"
#include "language/LanguageApplier.h"
#include "language/LanguageChoice.h"
#include "language/LanguageDialog.h"
#include "language/LanguageTable.h"
#include "language/MessageTable.h"
#include "platform/TextFile.h"
#include "settings/Keys.h"
#include "settings/SettingsFile.h"

#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QPushButton>
#include <QTest>

namespace {

class LanguageDialogTest : public BaseFolderTest
{
protected:
    void SetUp() override
    {
        BaseFolderTest::SetUp();
        QFile::copy(QStringLiteral(CARTLING_SOURCE_DIR "/data/english.cti"), path("english.cti"));
        QFile::copy(QStringLiteral(CARTLING_SOURCE_DIR "/data/español.cti"), path("español.cti"));
        writeFile("corto.cti", QByteArray("solo una línea\r\n"));
        writeFile("notes.txt", "not a language file");
    }
    void TearDown() override
    {
        messageTable().loadMessages(LanguageTable::builtin());
        BaseFolderTest::TearDown();
    }

    // The dialog's own window is the only window here, so applying reaches exactly it.
    std::unique_ptr<LanguageDialog> makeDialog()
    {
        auto dialog = std::make_unique<LanguageDialog>(m_language);
        m_window = dialog.get();
        return dialog;
    }
    static QComboBox *combo(LanguageDialog &dialog) { return dialog.findChild<QComboBox *>("AHMFileCombo1"); }
    void choose(LanguageDialog &dialog, const QString &name)
    {
        const int index = combo(dialog)->findText(name);
        ASSERT_GE(index, 0) << qPrintable(name);
        combo(dialog)->setCurrentIndex(index);
        emit combo(dialog)->activated(index);
    }

    QWidget *m_window = nullptr;
    Language m_language{[this] { return QList<QWidget *>{m_window}; }};
};

TEST_F(LanguageDialogTest, ListsTheLanguageFilesInBoldAndReachesEveryControl)
{
    auto dialog = makeDialog();
    QComboBox *files = combo(*dialog);
    ASSERT_NE(files, nullptr);
    EXPECT_EQ(files->count(), 3);
    EXPECT_EQ(files->itemText(0), "corto.cti");
    EXPECT_NE(files->findText(QStringLiteral("español.cti")), -1);
    EXPECT_TRUE(files->itemData(0, Qt::FontRole).value<QFont>().bold());
    EXPECT_EQ(files->currentIndex(), -1); // nothing chosen yet
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Configuración del Idioma"));
    EXPECT_TRUE(unreachedTargets({dialog.get()}).isEmpty());
}

TEST_F(LanguageDialogTest, ChoosingStoresAtOnceAndAceptarAppliesIt)
{
    auto dialog = makeDialog();
    dialog->show();
    choose(*dialog, QStringLiteral("english.cti"));

    SettingsFile settings;
    EXPECT_EQ(settings.read(Keys::ArchId), path("english.cti"));
    EXPECT_EQ(settings.read(Keys::ArchName), "english.cti");
    EXPECT_EQ(settings.read(Keys::ArchNameInd), combo(*dialog)->findText("english.cti"));
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Configuración del Idioma")); // nothing applied yet

    QTest::mouseClick(dialog->findChild<QPushButton *>("Button1"), Qt::LeftButton);

    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->windowTitle(), "Language Settings");
    EXPECT_EQ(dialog->findChild<QGroupBox *>("GroupBox2")->title(), "Choose a language file");
    EXPECT_EQ(dialog->findChild<QPushButton *>("Button1")->text(), "OK");
    EXPECT_EQ(messageTable().text(Msg::TitleNotFound), "Title not found");
    EXPECT_TRUE(m_messages.shown.isEmpty());
}

TEST_F(LanguageDialogTest, EscapeAppliesLikeAceptarButTheCloseBoxOnlyCloses)
{
    {
        auto dialog = makeDialog();
        dialog->show();
        choose(*dialog, QStringLiteral("english.cti"));
        dialog->close();
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Configuración del Idioma"));
        EXPECT_FALSE(dialog->isVisible());
    }
    // The choice stays stored and is applied at the next start, and the dialog selects it again.
    auto dialog = makeDialog();
    EXPECT_EQ(combo(*dialog)->currentText(), "english.cti");
    EXPECT_TRUE(m_language.loadStoredLanguage());
    EXPECT_EQ(dialog->windowTitle(), "Language Settings");

    choose(*dialog, QStringLiteral("español.cti"));
    dialog->show();
    QTest::keyClick(dialog.get(), Qt::Key_Escape);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Configuración del Idioma"));
    EXPECT_EQ(messageTable().text(Msg::TitleNotFound), QStringLiteral("Título no encontrado"));
}

TEST_F(LanguageDialogTest, AShortFileIsRefusedWithItsNameAndTheOldMessageText)
{
    auto dialog = makeDialog();
    choose(*dialog, QStringLiteral("english.cti"));
    dialog->loadChosenLanguage();
    choose(*dialog, QStringLiteral("corto.cti"));
    dialog->loadChosenLanguage();

    // The rejection text is entry 129 as it stood before the refused file.
    EXPECT_EQ(m_messages.shown, QStringList({QStringLiteral("corto.cti is not valid")}));
    EXPECT_EQ(dialog->windowTitle(), "Language Settings");
}

TEST_F(LanguageDialogTest, AStoredFileThatCannotBeReadIsReportedAndNotTakenAsLoaded)
{
    writeFile("grande.cti", QByteArray(TextFile::SizeLimit + 1, 'x'));
    SettingsFile().write(Keys::ArchId, path("grande.cti"));
    EXPECT_FALSE(m_language.loadStoredLanguage());
    EXPECT_EQ(m_messages.errors.size(), 1);
}

TEST_F(LanguageDialogTest, WithoutAWindowSourceAFileReachesTheProgramsOpenWindows)
{
    Language language;
    LanguageDialog dialog(language);
    EXPECT_TRUE(language.loadLanguageFile(path("english.cti"), "english.cti"));
    EXPECT_EQ(dialog.windowTitle(), "Language Settings");
}

TEST_F(LanguageDialogTest, CreationSelectsTheStoredPosition)
{
    SettingsFile settings;
    const auto created = [&] { return combo(*makeDialog())->currentIndex(); };
    // A stored position without an existing file selects nothing.
    settings.write(Keys::ArchNameInd, 2);
    EXPECT_EQ(created(), -1);
    // A chosen file outside the list: the stored position, -1 meaning the first.
    writeFile("other.cti.bak", "x");
    settings.write(Keys::ArchId, path("other.cti.bak"));
    EXPECT_EQ(created(), 2);
    settings.write(Keys::ArchNameInd, -1);
    EXPECT_EQ(created(), 0);
    // A file in the list is selected even when files came or went since it was chosen.
    settings.write(Keys::ArchId, path("english.cti"));
    settings.write(Keys::ArchNameInd, 0);
    EXPECT_EQ(combo(*makeDialog())->currentText(), "english.cti");
}

// ---- The first start: the desktop's language ----

TEST(DesktopLanguage, TheFirstLanguageWantedThatHasAFileElseTheBuiltInSpanish)
{
    const QStringList shipped{"english.cti", QStringLiteral("español.cti")};
    const QStringList more{"Deutsch.CTI", "english.cti", "englishx.cti", QStringLiteral("FRANÇAIS.cti")};
    const struct
    {
        QStringList files;
        QStringList wanted; // as QLocale::uiLanguages gives them
        int index;
    } cases[] = {
        {shipped, {"en-US", "en-Latn-US", "en"}, 0},
        {shipped, {"en-AU"}, 0},
        {shipped, {"es-ES", "es-Latn-ES", "es"}, -1}, // built in, although its file is there
        {shipped, {"fr-FR", "fr"}, -1},               // a language without a file
        {shipped, {"C"}, -1},                         // no language at all
        {shipped, {"fr", "en"}, 0},                   // the next language wanted that has a file
        {shipped, {"fr", "es", "en"}, -1},            // Spanish comes first
        {{QStringLiteral("español.cti")}, {"en-GB"}, -1},
        {{}, {"en-US"}, -1},
        {more, {"en-US"}, 1}, // by the whole name, not its start
        {more, {"de-AT"}, 0}, // the native name, in any case
        {more, {"fr-CA"}, 3},
        {more, {"it-IT"}, -1},
        {{"c.cti"}, {"C"}, -1}, // "C" is no language, whatever file bears its name
    };
    for (const auto &c : cases)
        EXPECT_EQ(LanguageChoice::desktopIndex(c.files, c.wanted), c.index)
            << qPrintable(c.wanted.join(u',')) << " among " << qPrintable(c.files.join(u','));
}

TEST_F(LanguageDialogTest, AFirstStartStoresTheDesktopsFileAsTheDialogWouldAndAStoredChoiceStays)
{
    int asked = 0;
    const auto desktop = [&](QStringList languages) {
        return [&asked, languages] {
            ++asked;
            return languages;
        };
    };
    LanguageChoice::chooseForDesktop(desktop({"en-GB", "en"}));
    SettingsFile settings;
    EXPECT_EQ(settings.read(Keys::ArchId), path("english.cti"));
    EXPECT_EQ(settings.read(Keys::ArchName), "english.cti");
    auto dialog = makeDialog();
    EXPECT_EQ(combo(*dialog)->currentText(), "english.cti");
    EXPECT_EQ(settings.read(Keys::ArchNameInd), combo(*dialog)->currentIndex());

    // Any choice stored stays, even of a file that has gone; the desktop is not even asked.
    asked = 0;
    for (const QByteArray &stored :
         {QByteArray("ArchId=") + QFile::encodeName(path("gone.cti")), QByteArray("ArchName=espa\xf1ol.cti")}) {
        const QByteArray ini = "[OtrasConfig2]\r\n" + stored + "\r\n";
        writeFile("Cartling.ini", ini);
        LanguageChoice::chooseForDesktop(desktop({"en-US"}));
        EXPECT_EQ(readFile("Cartling.ini"), ini);
    }
    EXPECT_EQ(asked, 0);

    // Spanish, or a language without a file, stores nothing: the next start asks again.
    QFile::remove(path("Cartling.ini"));
    LanguageChoice::chooseForDesktop(desktop({"es-MX"}));
    LanguageChoice::chooseForDesktop(desktop({"ja-JP"}));
    EXPECT_FALSE(QFile::exists(path("Cartling.ini")));
    EXPECT_EQ(asked, 2);
}

class EmptyBaseFolder : public BaseFolderTest
{
};

TEST_F(EmptyBaseFolder, WithoutLanguageFilesAFirstStartNeitherAsksTheDesktopNorWrites)
{
    bool asked = false;
    LanguageChoice::chooseForDesktop([&] {
        asked = true;
        return QStringList{"en-US"};
    });
    EXPECT_FALSE(asked);
    EXPECT_FALSE(QFile::exists(path("Cartling.ini")));
}

} // namespace
