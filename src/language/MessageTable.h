#pragma once

#include "language/LanguageTable.h"

#include <QString>
#include <QStringList>
#include <array>

// Indices of the message texts in the language table. Messages built from pieces join them with the
// inserted value and nothing else, so that every blank stands in the texts themselves.
namespace Msg {
enum : int
{
    FolderMissingStart = 103, // + folder + FolderMissingEnd: the stored ROM folder does not exist
    FolderMissingEnd = 104,
    ReadmeMissing = 105,    // no read-me file
    TitlesNoRomStart = 106, // + archive name + TitlesNoRomEnd: title lists, an archive without a ROM
    TitlesNoRomEnd = 107,
    TitlesManyRomsStart = 108, // + archive name + TitlesManyRomsEnd: title lists, several ROMs
    TitlesManyRomsEnd = 109,
    ListGenerated = 110,
    NoGamesForList = 111,
    CfgFolderMissingStart = 112, // + emulator folder + CfgFolderMissingEnd: at launch
    CfgFolderMissingEnd = 113,
    EmulatorMissing = 114,
    TitleNoRomStart = 115, // + archive name + TitleNoRomEnd: one title or exporting a name
    TitleNoRomEnd = 116,
    TitleManyRomsStart = 117, // + archive name + TitleManyRomsEnd: one title or exporting a name
    TitleManyRomsEnd = 118,
    ExtractNoRomStart = 119, // + file name + ExtractNoRomEnd: unpacking an archive without a ROM
    ExtractNoRomEnd = 120,
    ExtractManyRomsStart = 121, // + file name + ExtractManyRomsMiddle + number + ExtractManyRomsEnd
    ExtractManyRomsMiddle = 122,
    ExtractManyRomsEnd = 123,
    GameCount = 124, // status bar: + number of files listed
    TitleNotFound = 125,
    ListGeneratedSlot = 126, // shown by no operation
    NoGamesToRename = 127,
    NamesChanged = 128,
    NotValid = 129, // file name + one blank + NotValid: a language file is refused
    EmptySlot = 130,
};
} // namespace Msg

// The texts of every message the program shows: entries 103 to 130 of the language table, and every entry
// added after the design's table (messages, placeholders, tooltips and captions of later windows), held apart
// from it so that a refused language file leaves them as they were.
class MessageTable
{
public:
    static constexpr int First = 103;
    static constexpr int Last = 130;
    static constexpr int AddedFirst = LanguageTable::DesignEntryCount;
    static constexpr int AddedEnd = LanguageTable::EntryCount;

    // Filled from the built-in table.
    MessageTable();

    // Copies entries 103 to 130 and the added entries of the table; an entry the table lacks takes its
    // built-in text.
    void loadMessages(const QStringList &languageTable);

    // The text of a message entry; empty outside 103 to 130 and the added entries.
    QString text(int index) const;
    // before + value + after, with nothing added between them.
    QString text(int before, const QString &value, int after) const;
    // The refusal of a language file: its name, one blank, entry 129.
    QString rejection(const QString &fileName) const;

private:
    std::array<QString, Last - First + 1> m_texts;
    std::array<QString, AddedEnd - AddedFirst> m_added;
};

// The program's one message table, filled from the built-in table until a language file is accepted.
MessageTable &messageTable();
