#include "CollectionTestSupport.h"

#include "archive/ZipMemberRename.h"
#include "archive/ZipMembers.h"
#include "collection/CollectionCommands.h"
#include "collection/CollectionText.h"
#include "collection/CollectionVerifier.h"
#include "collection/DatRenamer.h"
#include "collection/RenamePreviewDialog.h"
#include "language/MessageTable.h"

#include <QDir>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTimer>
#include <QWidget>

namespace {

class ZipRenameTest : public CollectionTest
{
protected:
    QStringList files() const { return QDir(path("roms")).entryList(QDir::Files | QDir::Hidden, QDir::Name); }
    // The archive's one member's name and bytes as libzip reads them.
    std::pair<QString, QByteArray> only(const QString &archive) const
    {
        const auto members = ZipMembers::listThroughLibzip(archive);
        if (!members || members->size() != 1)
            return {};
        return {members->front().name, ZipMembers::readAll(archive, members->front(), 1 << 24).value_or("")};
    }
    // Info-ZIP's own test of the archive, where it is installed.
    void expectUnzipTests(const QString &archive) const
    {
        const QString unzip = QStandardPaths::findExecutable("unzip");
        if (unzip.isEmpty())
            return;
        QProcess process;
        process.start(unzip, {"-t", archive});
        ASSERT_TRUE(process.waitForFinished());
        EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardOutput().constData();
    }
};

// Sets the flag bits of every local header and directory entry, as an encrypting archiver leaves them.
QByteArray withFlag(QByteArray zip, quint16 flag)
{
    for (qsizetype at = 0; (at = zip.indexOf("PK", at)) >= 0; at += 2) {
        const char kind = zip[at + 2];
        const qsizetype flags = kind == '\x03' ? at + 6 : kind == '\x01' ? at + 8 : -1;
        if (flags > 0 && zip[at + 3] == char(kind + 1))
            zip[flags] = char(zip[flags] | flag);
    }
    return zip;
}

TEST_F(ZipRenameTest, TheMemberIsRenamedWithoutRecompressingAndArchivesThatCannotBeAreLeftByteForByte)
{
    const QByteArray bytes = seededRom(1, 64 * 1024);
    const QString unicode = QString::fromUtf8("Pok\u00e9mon (Espa\u00f1a).gb");
    struct Case
    {
        const char *name;
        bool stored;
    };
    for (const Case c : {Case{"deflated", false}, Case{"stored", true}}) {
        const QString archive = rom(QString(c.name) + ".zip"), renamed = rom(QString(c.name) + " (World).zip");
        writeZip(archive, {{"old.gb", bytes}}, c.stored);
        const QByteArray before = readFile("roms/" + QString(c.name) + ".zip");
        ASSERT_TRUE(ZipMemberRename::rename(archive, renamed, unicode)) << c.name;
        EXPECT_FALSE(QFileInfo::exists(archive));
        EXPECT_EQ(only(renamed), std::make_pair(unicode, bytes));
        // Every byte but the names' is the old archive's: the data was copied, not compressed again.
        const QByteArray after = readFile("roms/" + QString(c.name) + " (World).zip");
        EXPECT_EQ(after.size(), before.size() + 2 * (unicode.toUtf8().size() - 6));
        EXPECT_TRUE(after.contains(before.mid(30 + 6, before.indexOf("PK\x01\x02") - 36))) << c.name;
        expectUnzipTests(renamed);
        // Renamed in place and back: the archive it was.
        ASSERT_TRUE(ZipMemberRename::rename(renamed, renamed, "old.gb"));
        ASSERT_TRUE(ZipMemberRename::rename(renamed, archive, "old.gb"));
        EXPECT_EQ(readFile("roms/" + QString(c.name) + ".zip"), before) << c.name;
    }

    // Info-ZIP's own archives carry extra fields, its Unicode path among them.
    const QString zip = QStandardPaths::findExecutable("zip");
    if (!zip.isEmpty()) {
        makeFolder("plain");
        writeFile("plain/info.gb", bytes);
        QProcess process;
        process.setWorkingDirectory(path("plain"));
        process.start(zip, {"-q", rom("info.zip"), "info.gb"});
        ASSERT_TRUE(process.waitForFinished());
        ASSERT_EQ(process.exitCode(), 0);
        ASSERT_TRUE(ZipMemberRename::rename(rom("info.zip"), rom("Info.zip"), unicode));
        EXPECT_EQ(only(rom("Info.zip")), std::make_pair(unicode, bytes));
        expectUnzipTests(rom("Info.zip"));
    }

    writeZip(rom("one.zip"), {{"one.gb", bytes}});
    const QByteArray one = readFile("roms/one.zip");
    const qsizetype end = one.lastIndexOf("PK\x05\x06");
    QByteArray zip64 = one;
    zip64.replace(end + 16, 4, "\xFF\xFF\xFF\xFF");
    const struct
    {
        const char *name;
        QByteArray bytes;
        ZipMemberRename::State state;
    } refused[] = {
        {"encrypted.zip", withFlag(one, 1), ZipMemberRename::State::Encrypted},
        {"zip64.zip", zip64, ZipMemberRename::State::Unusual},
        {"cut.zip", one.left(one.size() - 10), ZipMemberRename::State::Unusual},
        {"empty.zip",
         one.right(22)
             .replace(8, 4, QByteArray(4, '\0'))
             .replace(16, 4, QByteArray(4, '\0'))
             .replace(12, 4, QByteArray(4, '\0')),
         ZipMemberRename::State::SeveralMembers},
    };
    writeZip(rom("two.zip"), {{"a.gb", bytes}, {"readme.txt", "hello"}});
    const auto two = ZipMemberRename::inspect(rom("two.zip"));
    ASSERT_TRUE(two.has_value());
    EXPECT_EQ(two->state, ZipMemberRename::State::SeveralMembers);
    EXPECT_FALSE(ZipMemberRename::rename(rom("two.zip"), rom("Two.zip"), "b.gb"));
    for (const auto &c : refused) {
        writeRom(c.name, c.bytes);
        const auto inspection = ZipMemberRename::inspect(rom(c.name));
        ASSERT_TRUE(inspection.has_value()) << c.name;
        EXPECT_EQ(inspection->state, c.state) << c.name;
        EXPECT_FALSE(ZipMemberRename::rename(rom(c.name), rom(QString("new ") + c.name), "new.gb")) << c.name;
        EXPECT_EQ(readFile("roms/" + QString(c.name)), c.bytes) << c.name;
    }
    // A name taken is never replaced.
    writeRom("taken.zip", "mine");
    EXPECT_FALSE(ZipMemberRename::rename(rom("one.zip"), rom("taken.zip"), "new.gb"));
    EXPECT_EQ(readFile("roms/taken.zip"), "mine");
    EXPECT_EQ(readFile("roms/one.zip"), one);
    // No copy is left behind by any of them.
    for (const QString &name : files())
        EXPECT_FALSE(name.startsWith('.')) << qPrintable(name);
}

TEST_F(ZipRenameTest, RenamingByDatRenamesAOneRomArchiveAndItsMemberAndUndoPutsBothBack)
{
    const QByteArray tetris = seededRom(1), kirby = seededRom(2), zelda = seededRom(3);
    writeFile("gb.dat", datClrMame("GB", {{"Tetris (World)", tetris, {}, -1, "Tetris (World) (Rev 1).gb"},
                                          {"Kirby (World)", kirby, {}, -1, "Kirby (World) (Unl).gb"},
                                          {"Zelda (World)", zelda, {}, -1, "Zelda (World) (Unl).gb"}}));
    DatCatalog dats;
    dats.add(path("gb.dat"), DatCatalog::loadDat(path("gb.dat")));
    writeZip(rom("tetris.zip"), {{"tetris.gb", tetris}});
    writeZip(rom("kirby.zip"), {{"kirby.gb", kirby}, {"readme.txt", "hello"}});
    writeZip(rom("zelda.zip"), {{"zelda.gb", zelda}});
    writeRom("Zelda (World).zip", "someone else's");
    QMap<QString, QByteArray> before;
    for (const QString &name : files())
        before.insert(name, readFile("roms/" + name));

    HashCache cache(path("Verificacion.cache"));
    QStringList paths;
    for (const QString &name : files())
        paths.append(rom(name));
    CollectionVerifier(dats, cache).verify(paths);
    const DatRenamer::Plan plan = DatRenamer::plan(paths, dats, cache);
    const MessageTable &texts = messageTable();
    EXPECT_EQ(plan.notes,
              QStringList({texts.text(CollectionText::MemberSeveral).arg(rom("kirby.zip")),
                           texts.text(CollectionText::ArchiveNameTaken).arg(rom("zelda.zip"), "Zelda (World).zip")}));
    const DatRenamer::Outcome outcome = DatRenamer::apply(plan, {}, path("log.json"));
    EXPECT_EQ(outcome.renamed, 2);
    EXPECT_EQ(outcome.rewritten, QStringList{rom("Tetris (World).zip")});
    EXPECT_EQ(files(), QStringList({"Kirby (World).zip", "Tetris (World).zip", "Zelda (World).zip", "zelda.zip"}));
    EXPECT_EQ(only(rom("Tetris (World).zip")), std::make_pair(QString("Tetris (World) (Rev 1).gb"), tetris));
    // The archive of several files keeps its bytes, under the game's name.
    EXPECT_EQ(readFile("roms/Kirby (World).zip"), before.value("kirby.zip"));
    EXPECT_EQ(readFile("roms/zelda.zip"), before.value("zelda.zip"));

    const auto undone = DatRenamer::undo({}, path("log.json"));
    ASSERT_TRUE(undone.has_value());
    EXPECT_EQ(undone->renamed, 2);
    EXPECT_EQ(undone->rewritten, QStringList{rom("tetris.zip")});
    QMap<QString, QByteArray> after;
    for (const QString &name : files())
        after.insert(name, readFile("roms/" + name));
    EXPECT_EQ(after, before);
}

// Broke when an archive was written anew: its size changed, so the checks of the verification no longer held for it.
TEST_F(ZipRenameTest, ARewrittenArchiveKeepsItsCheckAfterTheRenameAndTheUndo)
{
    writeFile("gb.dat", datClrMame("GB", {{"Tetris (World)", seededRom(1), {}, -1, "Tetris (World) (Rev 1).gb"}}));
    writeZip(rom("tetris.zip"), {{"tetris.gb", seededRom(1)}});
    QWidget window;
    CollectionCommands commands(&window, [this] { return QStringList{rom(files().value(0))}; }, {});
    commands.finishLoading();
    commands.addDats({path("gb.dat")});
    commands.verify();
    ASSERT_EQ(commands.checkOf(rom("tetris.zip")).state, DumpState::Matches);
    QString preview;
    QTimer::singleShot(0, &window, [&window, &preview] {
        auto *dialog = window.findChild<RenamePreviewDialog *>();
        preview = dialog->findChild<QPlainTextEdit *>("Memo1")->toPlainText();
        dialog->findChild<QPushButton *>("Button1")->click();
    });
    commands.renameToDat();
    // The member's new name is shown before anything is renamed.
    EXPECT_EQ(preview,
              QString::fromUtf8("tetris.zip  →  Tetris (World).zip  (tetris.gb  →  Tetris (World) (Rev 1).gb)"));
    ASSERT_EQ(files(), QStringList{"Tetris (World).zip"});
    EXPECT_EQ(commands.checkOf(rom("Tetris (World).zip")).state, DumpState::Matches);
    commands.undoLastRename();
    ASSERT_EQ(files(), QStringList{"tetris.zip"});
    EXPECT_EQ(commands.checkOf(rom("tetris.zip")).state, DumpState::Matches);
}

} // namespace
