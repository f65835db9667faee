#include "gamegenie/CheatCodeFormat.h"

#include <QRegularExpression>

namespace CheatCodeFormat {
namespace {

Kind kindOf(const QString &code)
{
    static const QRegularExpression gameGenie(QStringLiteral("^[0-9A-Fa-f]{3}-[0-9A-Fa-f]{3}(-[0-9A-Fa-f]{3})?$"));
    static const QRegularExpression gameShark(QStringLiteral("^[0-9A-Fa-f]{8}$"));
    if (gameGenie.match(code).hasMatch())
        return Kind::GameGenie;
    if (gameShark.match(code).hasMatch())
        return Kind::GameShark;
    return Kind::Unknown;
}

QString replaced(QString code, const QString &letters, QChar digit)
{
    for (QChar &c : code) {
        if (letters.contains(c))
            c = digit;
    }
    return code;
}

QString hintForUnknown(const QString &code)
{
    const QString trimmed = code.trimmed();
    if (trimmed != code && kindOf(trimmed) != Kind::Unknown)
        return QString::fromUtf8("Sobran espacios al principio o al final");
    const QString zeros = replaced(trimmed, QStringLiteral("Oo"), u'0');
    const QString ones = replaced(trimmed, QStringLiteral("IiLl"), u'1');
    const QString both = replaced(zeros, QStringLiteral("IiLl"), u'1');
    if (kindOf(zeros) != Kind::Unknown)
        return QString::fromUtf8("¿La letra O en lugar del cero?");
    if (kindOf(ones) != Kind::Unknown)
        return QString::fromUtf8("¿La letra I en lugar del uno?");
    if (kindOf(both) != Kind::Unknown)
        return QString::fromUtf8("¿Las letras O e I en lugar del cero y el uno?");
    QString digits = trimmed;
    digits.remove(u'-');
    static const QRegularExpression hex(QStringLiteral("^[0-9A-Fa-f]+$"));
    if ((digits.size() == 9 || digits.size() == 6) && hex.match(digits).hasMatch()) {
        return digits.size() == trimmed.size()
                   ? QString::fromUtf8("¿Faltan los guiones? Game Genie: XXX-XXX-XXX o XXX-XXX")
                   : QString::fromUtf8("¿Guiones fuera de sitio? Game Genie: XXX-XXX-XXX o XXX-XXX");
    }
    return QString::fromUtf8("No es un código Game Genie (XXX-XXX-XXX o XXX-XXX) ni GameShark (8 cifras "
                             "hexadecimales)");
}

} // namespace

Verdict check(const QString &code)
{
    if (code.isEmpty())
        return {Kind::Empty, QString()};
    switch (const Kind kind = kindOf(code)) {
    case Kind::GameGenie:
        return {kind, QString::fromUtf8("Código Game Genie bien formado")};
    case Kind::GameShark:
        return {kind, QString::fromUtf8("Código GameShark bien formado")};
    default:
        return {Kind::Unknown, hintForUnknown(code)};
    }
}

} // namespace CheatCodeFormat
