#include "CollectionTestSupport.h"

#include "collection/CollectionCommands.h"
#include "collection/CollectionReport.h"
#include "collection/CollectionReportDialog.h"
#include "collection/CollectionVerifier.h"
#include "collection/DatReader.h"
#include "platform/ErrorHandler.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <zlib.h>

namespace {

quint32 romCrc(const QByteArray &bytes)
{
    return quint32(crc32(0, reinterpret_cast<const Bytef *>(bytes.constData()), uInt(bytes.size())));
}

QString crcText(quint32 crc)
{
    return QStringLiteral("%1").arg(crc, 8, 16, QLatin1Char('0'));
}

class ReportTest : public CollectionTest
{
protected:
    void SetUp() override
    {
        CollectionTest::SetUp();
        m_cache = HashCache(path("Verificacion.cache"));
        // A DAT of five games, one of them of two ROMs and one named with XML's own characters; a second DAT in
        // text form that knows one more game.
        writeFile("gb.dat",
                  datXml("Nintendo - Game Boy", {{"Good (World)", seededRom(1)},
                                                 {"Bad <&> (USA)", seededRom(2), QString(40, u'a')},
                                                 {"Lacking (Japan)", seededRom(3), {}, -1, "Lacking (Japan) (Unl).gb"},
                                                 {"Unlisted (Europe)", seededRom(4)}}));
        QByteArray text = datClrMame("Other", {{"Good (World)", seededRom(1)}});
        text += "game ( name \"Two Parts\" rom ( name \"part1.gb\" size 32768 crc " +
                crcText(romCrc(seededRom(5))).toLatin1() + " ) rom ( name \"part2.gb\" size 32768 crc " +
                crcText(romCrc(seededRom(6))).toLatin1() + " ) )\n";
        writeFile("other.dat", text);
        m_dats = std::make_shared<DatCatalog>();
        m_dats->add(path("gb.dat"), DatCatalog::loadDat(path("gb.dat")));
        m_dats->add(path("other.dat"), DatCatalog::loadDat(path("other.dat")));

        writeRom("good.gb", seededRom(1));
        writeRom("good copy.gb", seededRom(1));
        writeRom("bad.gb", seededRom(2));
        writeRom("part1.gb", seededRom(5));
        writeRom("homebrew.gb", seededRom(9));
        writeZip(rom("zipped good.zip"), {{"inside.gb", seededRom(1)}});
        writeZip(rom("two roms.zip"), {{"a.gb", seededRom(3)}, {"b.gb", seededRom(4)}});
        CollectionVerifier(*m_dats, m_cache).verify(files());
        // Written after the verification: not checked.
        writeRom("new.gb", seededRom(4));
    }
    QStringList files() const
    {
        QStringList paths;
        for (const QString &name : QDir(path("roms")).entryList(QDir::Files, QDir::Name))
            paths.append(rom(name));
        return paths;
    }
    CollectionReport report() const { return CollectionReport::make(files(), m_dats, m_cache); }

    std::shared_ptr<DatCatalog> m_dats;
    HashCache m_cache;
};

TEST_F(ReportTest, CountsMissingGamesCopiesAndUnknownFilesPerDat)
{
    const CollectionReport made = report();
    ASSERT_EQ(made.dats().size(), 2u);
    const CollectionReport::DatPart &gb = made.dats()[0];
    EXPECT_EQ(gb.games, 4);
    EXPECT_EQ(gb.good, 1);
    EXPECT_EQ(gb.bad, 1);
    // The ROM of "Unlisted" came after the verification, the ZIP holds two ROMs: neither counts.
    EXPECT_EQ(made.missingNames(gb), QStringList({"Lacking (Japan)", "Unlisted (Europe)"}));

    // A game of two ROMs with only one of them is missing, for the ROM it lacks.
    const CollectionReport::DatPart &other = made.dats()[1];
    EXPECT_EQ(other.games, 2);
    EXPECT_EQ(other.good, 1);
    EXPECT_EQ(other.bad, 0);
    EXPECT_EQ(made.missingNames(other), QStringList{"Two Parts"});
    ASSERT_EQ(other.missingRoms.size(), 1u);
    EXPECT_EQ(other.dat->index.romName(other.dat->index.roms()[other.missingRoms[0]]), "part2.gb");

    // The same dump as a plain file and inside a ZIP counts too.
    EXPECT_EQ(made.duplicates(), QList<QStringList>({{rom("good copy.gb"), rom("good.gb"), rom("zipped good.zip")}}));
    EXPECT_EQ(made.unknown(), QStringList{rom("homebrew.gb")});
    EXPECT_EQ(made.notChecked(), 2); // new.gb and the ZIP of two ROMs
}

TEST_F(ReportTest, TheFixdatReadsBackThroughTheDatReaderWithTheMissingRomsOnly)
{
    const CollectionReport made = report();
    CollectionReportDialog dialog(report(), nullptr);
    dialog.saveFixDat(path("fix.dat"));
    const QByteArray xml = readFile("fix.dat");
    EXPECT_TRUE(xml.contains("<description>Missing from Nintendo - Game Boy (gb.dat)</description>")) << xml.data();
    const DatIndex fix = DatReader::read(path("fix.dat"));
    EXPECT_EQ(fix.name(), "fix_Nintendo - Game Boy");
    ASSERT_EQ(fix.romCount(), 2);
    const DatIndex::Rom lacking = fix.withCrc(romCrc(seededRom(3))).front();
    EXPECT_EQ(fix.gameName(lacking.game), "Lacking (Japan)");
    EXPECT_EQ(fix.romName(lacking), "Lacking (Japan) (Unl).gb");
    const DatIndex::Rom &source = made.dats()[0].dat->index.withCrc(romCrc(seededRom(3))).front();
    EXPECT_EQ(lacking.size, source.size);
    EXPECT_EQ(lacking.sha1, source.sha1);
    EXPECT_EQ(lacking.flags, source.flags);

    // The second DAT's fixdat holds the game with only the ROM it lacks.
    dialog.findChild<QComboBox *>("ComboBox1")->setCurrentIndex(1);
    dialog.saveFixDat(path("fix other.dat"));
    const DatIndex other = DatReader::read(path("fix other.dat"));
    EXPECT_EQ(other.name(), "fix_Other");
    ASSERT_EQ(other.romCount(), 1);
    EXPECT_EQ(other.romName(other.roms().front()), "part2.gb");
    EXPECT_FALSE(other.roms().front().hasSha1());

    // Names XML cannot carry, and a DAT that lacks nothing, still give a DAT the reader takes.
    writeFile("odd.dat",
              "clrmamepro ( name \"Odd\x01\" )\ngame ( name \"Tab\tand \x02 <&>\" rom ( name \"x\x03.gb\" crc "
              "12345678 ) )\n");
    auto odd = std::make_shared<DatCatalog>();
    odd->add(path("odd.dat"), DatReader::read(path("odd.dat")));
    const CollectionReport oddReport = CollectionReport::make({}, odd, m_cache);
    writeFile("fix odd.dat", oddReport.fixDat(oddReport.dats()[0]));
    const DatIndex oddFix = DatReader::read(path("fix odd.dat"));
    EXPECT_EQ(oddFix.name(), QString::fromUtf8("fix_Odd\uFFFD"));
    EXPECT_EQ(oddFix.gameName(0), QString::fromUtf8("Tab\tand \uFFFD <&>"));
    const CollectionReport none = CollectionReport::make({}, std::make_shared<DatCatalog>(), m_cache);
    EXPECT_TRUE(none.dats().empty());
}

TEST_F(ReportTest, TheWindowSearchesCopiesAndSavesTheMissingList)
{
    CollectionReportDialog dialog(report(), nullptr);
    auto *counts = dialog.findChild<QLabel *>("Label2");
    ASSERT_NE(counts, nullptr);
    EXPECT_EQ(counts->text(),
              QString::fromUtf8("4 juegos en el DAT: 1 correctos, 1 solo con un volcado erróneo, 2 faltan"));
    auto *tabs = dialog.findChild<QTabWidget *>("PageControl1");
    EXPECT_EQ(tabs->tabText(0), "Faltan (2)");
    EXPECT_EQ(tabs->tabText(1), "Copias del mismo volcado (1)");
    EXPECT_EQ(tabs->tabText(2), "Desconocidos (1)");
    EXPECT_EQ(dialog.findChild<QPlainTextEdit *>("Memo2")->toPlainText(), rom("homebrew.gb"));

    // The labels lead the keyboard to their fields.
    EXPECT_EQ(dialog.findChild<QLabel *>("Label1")->buddy(), dialog.findChild<QComboBox *>("ComboBox1"));
    EXPECT_EQ(dialog.findChild<QLabel *>("Label3")->buddy(), dialog.findChild<QLineEdit *>("Edit1"));
    EXPECT_EQ(dialog.findChild<QListView *>("ListBox1")->accessibleName(), "Faltan (2)");
    EXPECT_EQ(dialog.findChild<QPlainTextEdit *>("Memo2")->accessibleName(), "Desconocidos (1)");

    dialog.findChild<QLineEdit *>("Edit1")->setText("japan");
    EXPECT_EQ(dialog.shownMissing(), QStringList{"Lacking (Japan)"});
    QApplication::clipboard()->clear();
    dialog.findChild<QPushButton *>("Button1")->click();
    EXPECT_EQ(QApplication::clipboard()->text(), "Lacking (Japan)");
    dialog.findChild<QLineEdit *>("Edit1")->clear();
    // With lines chosen, only those.
    auto *list = dialog.findChild<QListView *>("ListBox1");
    list->selectionModel()->select(list->model()->index(1, 0), QItemSelectionModel::Select);
    dialog.findChild<QPushButton *>("Button1")->click();
    EXPECT_EQ(QApplication::clipboard()->text(), "Unlisted (Europe)");
    // The names are the DAT's: F2 on a line opens no editor that could change what is copied or saved.
    list->setCurrentIndex(list->model()->index(1, 0));
    QTest::keyClick(list, Qt::Key_F2);
    EXPECT_EQ(list->findChild<QLineEdit *>(), nullptr);

    dialog.saveMissingList(path("missing.txt"));
    EXPECT_EQ(readFile("missing.txt"), "Lacking (Japan)\nUnlisted (Europe)\n");
    // A file that cannot be written is named in the error and the old one stays as it was.
    makeFolder("locked");
    writeFile("locked/missing.txt", "before");
    QFile::setPermissions(path("locked"), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    QFile::setPermissions(path("locked/missing.txt"), QFileDevice::ReadOwner);
    EXPECT_THROW(dialog.saveFixDat(path("locked/missing.txt")), CartlingError);
    QFile::setPermissions(path("locked"), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_EQ(readFile("locked/missing.txt"), "before");

    dialog.findChild<QComboBox *>("ComboBox1")->setCurrentIndex(1);
    EXPECT_EQ(counts->text(),
              QString::fromUtf8("2 juegos en el DAT: 1 correctos, 0 solo con un volcado erróneo, 1 faltan"));
    EXPECT_EQ(dialog.shownMissing(), QStringList{"Two Parts"});
    EXPECT_EQ(tabs->tabText(0), "Faltan (1)");
    EXPECT_TRUE(dialog.findChild<QLabel *>("Label4")->isVisibleTo(&dialog));
}

TEST_F(ReportTest, TheMenuCommandShowsTheReportOnlyWithDatsLoaded)
{
    QWidget window;
    CollectionCommands commands(&window, [this] { return files(); }, {});
    commands.finishLoading();
    commands.showCollectionReport();
    EXPECT_EQ(m_messages.shown.takeLast(), QString::fromUtf8("No hay ningún DAT cargado; cárguelo con «Cargar DAT…»"));

    commands.addDats({path("gb.dat")});
    QString shown;
    QTimer::singleShot(0, &window, [&shown] {
        auto *dialog = qobject_cast<CollectionReportDialog *>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        shown = dialog->windowTitle() + u'|' + dialog->findChild<QLabel *>("Label2")->text();
        dialog->accept();
    });
    commands.showCollectionReport();
    // The verification made in SetUp was not saved: to the commands nothing is checked, everything missing.
    EXPECT_EQ(shown, QString::fromUtf8("Informe de la colección|4 juegos en el DAT: 0 correctos, 0 solo con un "
                                       "volcado erróneo, 4 faltan"));
}

} // namespace
