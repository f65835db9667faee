#include "language/MessageTable.h"

#include "language/LanguageTable.h"

MessageTable::MessageTable()
{
    loadMessages(LanguageTable::builtin());
}

void MessageTable::loadMessages(const QStringList &languageTable)
{
    for (int index = First; index <= Last; ++index) {
        m_texts[index - First] =
            index < languageTable.size() ? languageTable[index] : LanguageTable::builtinText(index);
    }
}

QString MessageTable::text(int index) const
{
    if (index < First || index > Last)
        return {};
    return m_texts[index - First];
}

QString MessageTable::text(int before, const QString &value, int after) const
{
    return text(before) + value + text(after);
}

QString MessageTable::rejection(const QString &fileName) const
{
    return fileName + u' ' + text(Msg::NotValid);
}

MessageTable &messageTable()
{
    static MessageTable table;
    return table;
}
