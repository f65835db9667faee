// Language files: any file gives a table as long as the built-in one, with the file's lines where it has them,
// and is refused when it is binary or too short.
#include "FuzzSupport.h"

#include "language/LanguageFile.h"
#include "language/LanguageTable.h"
#include "language/MessageTable.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = fuzzInput(data, size);
    const LanguageFile file = LanguageFile::fromBytes(bytes);
    const QStringList table = file.table();
    const QStringList &builtin = LanguageTable::builtin();
    FUZZ_CHECK(table.size() == qMax(file.lines().size(), builtin.size()), QString::number(table.size()));
    for (qsizetype i = 0; i < table.size(); ++i) {
        const QString &expected = i < file.lines().size() ? file.lines()[i] : builtin[i];
        FUZZ_CHECK(table[i] == expected, QString::number(i));
        FUZZ_CHECK(!table[i].contains(u'\r') && !table[i].contains(u'\n'), QString::number(i));
    }
    if (file.accepted()) {
        FUZZ_CHECK(file.lines().size() >= LanguageFile::MinimumLines, QString::number(file.lines().size()));
        // The messages are taken from an accepted file as they stand.
        MessageTable messages;
        messages.loadMessages(table);
        for (int index = MessageTable::First; index <= MessageTable::Last; ++index)
            FUZZ_CHECK(messages.text(index) == table[index], QString::number(index));
    }
    return 0;
}
