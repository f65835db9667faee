#include "collection/ClrMameReader.h"

#include "collection/DatFields.h"

#include <vector>

namespace ClrMameReader {

namespace {

// clrmamepro's own DATs nest two levels (game, rom); MAME's listings a few more.
constexpr size_t MaxDepth = 8;

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

struct Token
{
    enum class Kind
    {
        End,
        Open,
        Close,
        Word,
        Quoted,
    };
    Kind kind = Kind::End;
    QByteArrayView text;
    qint64 line = 0;
};

class Tokenizer
{
public:
    Tokenizer(QByteArrayView text, const QString &path) : m_text(text), m_path(path) {}

    Token next()
    {
        const char *const end = m_text.end();
        while (m_at != end && isBlank(*m_at)) {
            if (*m_at == '\n')
                ++m_line;
            ++m_at;
        }
        Token token;
        token.line = m_line;
        if (m_at == end)
            return token;
        const char c = *m_at;
        if (c == '\0')
            refuse(m_line);
        if (c == '(' || c == ')') {
            token.kind = c == '(' ? Token::Kind::Open : Token::Kind::Close;
            ++m_at;
            return token;
        }
        const char *start = m_at;
        if (c == '"') {
            // A name never spans lines: a quote left open is refused where it began, not at the end of the file.
            ++m_at;
            start = m_at;
            while (m_at != end && *m_at != '"') {
                if (*m_at == '\0' || *m_at == '\n' || *m_at == '\r')
                    refuse(m_line);
                if (*m_at == '\\' && m_at + 1 != end && (m_at[1] == '"' || m_at[1] == '\\'))
                    ++m_at;
                ++m_at;
            }
            if (m_at == end)
                refuse(m_line);
            token.kind = Token::Kind::Quoted;
            token.text = QByteArrayView(start, m_at - start);
            ++m_at;
            return token;
        }
        while (m_at != end && !isBlank(*m_at) && *m_at != '(' && *m_at != ')' && *m_at != '"') {
            if (*m_at == '\0')
                refuse(m_line);
            ++m_at;
        }
        token.kind = Token::Kind::Word;
        token.text = QByteArrayView(start, m_at - start);
        return token;
    }

    [[noreturn]] void refuse(qint64 line) const
    {
        throw DatReader::DatError(DatReader::DatError::Kind::NotReadable, m_path, line, {});
    }

private:
    QByteArrayView m_text;
    const char *m_at = m_text.begin();
    qint64 m_line = 1;
    const QString &m_path;
};

// A token's text as a string, its escaped quotes and backslashes undone; at most `limit` characters.
QString textOf(const Token &token, qsizetype limit)
{
    QByteArrayView bytes = token.text.first(std::min(token.text.size(), limit * 4));
    if (token.kind != Token::Kind::Quoted || !bytes.contains('\\'))
        return QString::fromUtf8(bytes).left(limit);
    QByteArray plain;
    plain.reserve(bytes.size());
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\\' && i + 1 < bytes.size() && (bytes[i + 1] == '"' || bytes[i + 1] == '\\'))
            ++i;
        plain += bytes[i];
    }
    return QString::fromUtf8(plain).left(limit);
}

enum class Block
{
    Top,
    Header,
    Game,
    Rom,
    Other, // a block Cartling has no use for, read only to find its end
};

struct RomFields
{
    Token name, size, crc, sha1;
};

} // namespace

bool looksLike(QByteArrayView start)
{
    if (start.startsWith("\xEF\xBB\xBF"))
        start = start.sliced(3);
    for (const char c : start) {
        if (!isBlank(c))
            return c != '<';
    }
    return false;
}

DatIndex read(QByteArrayView text, const QString &path, const DatReader::Limits &limits)
{
    if (text.startsWith("\xEF\xBB\xBF"))
        text = text.sliced(3);
    Tokenizer tokens(text, path);
    DatIndex::Builder builder;
    std::vector<Block> blocks{Block::Top};
    std::vector<qint64> openedAt{0};
    bool isDat = false; // a header or a game was seen
    QString gameName;
    bool gameHasRoms = false;
    RomFields rom;

    const auto close = [&](const Token &token) {
        if (blocks.size() == 1)
            tokens.refuse(token.line); // a ")" that closes nothing
        if (blocks.back() == Block::Rom) {
            const auto entry = DatFields::romOf(QString::fromLatin1(rom.crc.text), QString::fromLatin1(rom.size.text),
                                                QString::fromLatin1(rom.sha1.text));
            if (entry) {
                if (!gameHasRoms) {
                    builder.addGame(gameName);
                    gameHasRoms = true;
                }
                builder.addRom(*entry, textOf(rom.name, DatFields::MaxName));
                if (builder.romCount() > limits.maxRoms || builder.nameBytes() > limits.maxNameBytes)
                    throw DatReader::DatError(DatReader::DatError::Kind::TooLarge, path, 0, limits);
            }
        }
        blocks.pop_back();
        openedAt.pop_back();
    };

    for (;;) {
        const Token key = tokens.next();
        if (key.kind == Token::Kind::End)
            break;
        if (key.kind == Token::Kind::Close) {
            close(key);
            continue;
        }
        if (key.kind == Token::Kind::Open)
            tokens.refuse(key.line); // a block needs a word before it
        const Token value = tokens.next();
        const Block in = blocks.back();
        switch (value.kind) {
        case Token::Kind::End:
            tokens.refuse(key.line);
        case Token::Kind::Close:
            close(value); // a word alone, as some DATs end a block with a flag
            continue;
        case Token::Kind::Open: {
            if (blocks.size() > MaxDepth)
                tokens.refuse(value.line);
            Block block = Block::Other;
            if (in == Block::Top && key.text == "clrmamepro") {
                block = Block::Header;
            } else if (in == Block::Top && (key.text == "game" || key.text == "machine" || key.text == "resource")) {
                block = Block::Game;
                gameName.clear();
                gameHasRoms = false;
            } else if (in == Block::Game && key.text == "rom") {
                block = Block::Rom;
                rom = {};
            }
            isDat = isDat || block == Block::Header || block == Block::Game;
            blocks.push_back(block);
            openedAt.push_back(value.line);
            continue;
        }
        case Token::Kind::Word:
        case Token::Kind::Quoted:
            break;
        }
        switch (in) {
        case Block::Top:
            tokens.refuse(key.line); // words outside any block: some other text
        case Block::Header:
            if (key.text == "name")
                builder.setName(textOf(value, 256));
            break;
        case Block::Game:
            if (key.text == "name")
                gameName = textOf(value, DatFields::MaxName);
            break;
        case Block::Rom:
            if (key.text == "name")
                rom.name = value;
            else if (key.text == "size")
                rom.size = value;
            else if (key.text == "crc")
                rom.crc = value;
            else if (key.text == "sha1")
                rom.sha1 = value;
            break;
        case Block::Other:
            break;
        }
    }
    // A block left open: the line where it began.
    if (blocks.size() > 1)
        tokens.refuse(openedAt.back());
    if (!isDat)
        tokens.refuse(1);
    return builder.finish();
}

} // namespace ClrMameReader
