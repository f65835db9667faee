#include "language/MessageTable.h"

#include "language/LanguageTable.h"

MessageTable::MessageTable()
{
    loadMessages(LanguageTable::builtin());
}

void MessageTable::loadMessages(const QStringList &languageTable)
{
    const auto entry = [&languageTable](int index) {
        return index < languageTable.size() ? languageTable[index] : LanguageTable::builtinText(index);
    };
    for (int index = First; index <= Last; ++index)
        m_texts[index - First] = entry(index);
    for (int index = AddedFirst; index < AddedEnd; ++index)
        m_added[index - AddedFirst] = entry(index);
}

QString MessageTable::text(int index) const
{
    if (index >= First && index <= Last)
        return m_texts[index - First];
    if (index >= AddedFirst && index < AddedEnd)
        return m_added[index - AddedFirst];
    return {};
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
