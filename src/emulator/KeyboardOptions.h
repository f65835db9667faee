#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <array>

class ConfigTemplate;

// The rules of the keyboard options: a PC key for each of the eight Game Boy buttons and autofire for A and
// B. Choices are gathered until they are confirmed; only then are they stored and given to the emulator.
class KeyboardOptions
{
public:
    // The buttons in the order of the key line.
    enum Button
    {
        Left,
        Right,
        Up,
        Down,
        ButtonA,
        ButtonB,
        Start,
        Select,
    };
    static constexpr int ButtonCount = 8;

    // The 60 key names; the settings store an index into this list, so its order is a file format.
    static const QStringList &keyNames();
    // "-keys [..][..]...[..] " with its trailing blank; an index outside the list gives "[]".
    static QString keyLine(const std::array<int, ButtonCount> &keys);

    explicit KeyboardOptions(ConfigTemplate &configTemplate);

    // At creation and at every showing: the stored keys and autofire flags, and the key line written from
    // them. The autofire lines are left alone. Nothing is stored.
    void load();

    // The chosen key's index, -1 when none is chosen (a stored index outside the list).
    int key(int button) const { return m_keys[button]; }
    QString keyName(int button) const;
    // The key line of the choices as they stand now.
    const QString &keyLine() const { return m_keyLine; }
    bool autofireA() const { return m_autofireA; }
    bool autofireB() const { return m_autofireB; }
    // The other buttons given the same key as this one (none for a button without a key).
    QList<int> buttonsSharingKey(int button) const;

    // Gathered choices: nothing is stored and the emulator's lines are not touched.
    void chooseKey(int button, int index);
    void setAutofireA(bool on) { m_autofireA = on; }
    void setAutofireB(bool on) { m_autofireB = on; }

    // Confirmation: the eight keys stored, the key line written, then each autofire flag stored and its line
    // written. A refused write raises CartlingError and ends the confirmation there.
    void store();

private:
    ConfigTemplate &m_template;
    std::array<int, ButtonCount> m_keys{};
    bool m_autofireA = false;
    bool m_autofireB = false;
    QString m_keyLine;
};
