#pragma once

#include "emulator/OptionStore.h"

class ConfigTemplate;

// The rules of the controls dialog: joystick use (slot 10) and which player takes the keyboard (slot 11).
class ControlsOptions
{
public:
    enum Players
    {
        KeyboardFirst = 1, // "Player 1Teclado / Player 2 Joystick", the design's choice
        JoystickFirst = 2, // "Player 1 Joystick / Player 2 Teclado"
    };

    // Runs the creation steps: the stored choices set as clicks would set them.
    explicit ControlsOptions(ConfigTemplate &configTemplate);

    // "Usar Joystick" ticked or cleared; nothing happens when it already is.
    void setUseJoystick(bool on);
    // A player choice ticked; 1 or 2, nothing for the one already ticked or any other value.
    void choosePlayers(int players);

    bool useJoystick() const { return m_useJoystick; }
    int players() const { return m_players; }

private:
    ConfigTemplate &m_template;
    OptionStore m_store;
    bool m_useJoystick = false;
    int m_players = KeyboardFirst;
};
