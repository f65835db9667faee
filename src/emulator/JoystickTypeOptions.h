#pragma once

#include "emulator/OptionStore.h"

#include <QStringList>

class ConfigTemplate;

// The rules of the joystick dialog: the joystick's type, one of eight, and its line (slot 9).
class JoystickTypeOptions
{
public:
    static constexpr int OtherType = 7; // "Otro Tipo": no type is given to the emulator

    // The eight types in list order.
    static const QStringList &typeNames();

    // Runs the creation step: the stored type selected (no handler runs) and its line written. A stored value
    // outside 0 to 7 selects nothing (-1), which the emulator receives as "-joyset -1".
    explicit JoystickTypeOptions(ConfigTemplate &configTemplate);

    // A type chosen in the list: stored and written, also when it was the one selected.
    void chooseType(int index);

    int type() const { return m_type; }

private:
    void writeTypeSlot();

    ConfigTemplate &m_template;
    OptionStore m_store;
    int m_type = -1;
};
