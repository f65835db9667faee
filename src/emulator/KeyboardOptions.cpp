#include "emulator/KeyboardOptions.h"

#include "emulator/ConfigTemplate.h"
#include "settings/SettingsFile.h"

namespace {

enum : int
{
    KeysSlot = 6,
    AutofireASlot = 7,
    AutofireBSlot = 8,
};

// The settings key of each button, in the order of the key line.
constexpr std::array<const IntKey *, KeyboardOptions::ButtonCount> kKeys{
    &Keys::Izquierda, &Keys::Derecha, &Keys::Arriba, &Keys::Abajo,
    &Keys::KeyA,      &Keys::KeyB,    &Keys::Start,  &Keys::Select,
};

QString nameOf(int index)
{
    const QStringList &names = KeyboardOptions::keyNames();
    return index >= 0 && index < names.size() ? names[index] : QString();
}

} // namespace

const QStringList &KeyboardOptions::keyNames()
{
    // "N" before "M" and "Ñ" after them: stored settings index this order as it has always been.
    static const QStringList names = [] {
        QStringList list{"A", "B", "C", "D", "E", "F", "G", "H", "I", "J", "K", "L", "N", "M"};
        list << QString(QChar(0x00D1)) << "O"
             << "P"
             << "Q"
             << "R"
             << "S"
             << "T"
             << "U"
             << "V"
             << "W"
             << "X"
             << "Y"
             << "Z";
        for (int f = 1; f <= 12; ++f)
            list << "F" + QString::number(f);
        list << "INS"
             << "DEL"
             << "NUM"
             << "SCR"
             << "HOME"
             << "END"
             << "TAB"
             << "ENTER"
             << "CAPS"
             << "LSHIFT"
             << "RSHIFT"
             << "LCONTROL"
             << "RCONTROL"
             << "ALT"
             << "SPACE"
             << "PGUP"
             << "PGDOWN"
             << "UP"
             << "DOWN"
             << "LEFT"
             << "RIGHT";
        return list;
    }();
    return names;
}

QString KeyboardOptions::keyLine(const std::array<int, ButtonCount> &keys)
{
    QString line = QStringLiteral("-keys ");
    for (int key : keys)
        line += u'[' + nameOf(key) + u']';
    return line + u' ';
}

KeyboardOptions::KeyboardOptions(ConfigTemplate &configTemplate) : m_template(configTemplate)
{
    for (int button = 0; button < ButtonCount; ++button)
        m_keys[button] = kKeys[button]->def;
    m_keyLine = keyLine(m_keys);
}

void KeyboardOptions::load()
{
    const SettingsFile settings;
    for (int button = 0; button < ButtonCount; ++button) {
        const int index = settings.read(*kKeys[button]);
        m_keys[button] = index >= 0 && index < keyNames().size() ? index : -1;
    }
    m_keyLine = keyLine(m_keys);
    m_autofireA = settings.read(Keys::AutofireA);
    m_autofireB = settings.read(Keys::AutofireB);
    m_template.replace(KeysSlot, m_keyLine);
}

QString KeyboardOptions::keyName(int button) const
{
    return nameOf(m_keys[button]);
}

QList<int> KeyboardOptions::buttonsSharingKey(int button) const
{
    QList<int> others;
    if (m_keys[button] < 0)
        return others;
    for (int other = 0; other < ButtonCount; ++other) {
        if (other != button && m_keys[other] == m_keys[button])
            others.append(other);
    }
    return others;
}

void KeyboardOptions::chooseKey(int button, int index)
{
    if (button < 0 || button >= ButtonCount)
        return;
    m_keys[button] = index >= 0 && index < keyNames().size() ? index : -1;
    m_keyLine = keyLine(m_keys);
}

void KeyboardOptions::store()
{
    SettingsFile settings;
    for (int button = 0; button < ButtonCount; ++button)
        settings.write(*kKeys[button], m_keys[button]);
    m_template.replace(KeysSlot, m_keyLine);
    settings.write(Keys::AutofireA, m_autofireA);
    m_template.replace(AutofireASlot, m_autofireA ? QStringLiteral("-autoa ") : QStringLiteral(" "));
    settings.write(Keys::AutofireB, m_autofireB);
    m_template.replace(AutofireBSlot, m_autofireB ? QStringLiteral("-autob ") : QStringLiteral(" "));
}
