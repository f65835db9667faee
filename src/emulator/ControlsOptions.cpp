#include "emulator/ControlsOptions.h"

#include "emulator/ConfigTemplate.h"
#include "platform/ErrorHandler.h"
#include "settings/SettingsFile.h"

namespace {

enum : int
{
    JoystickSlot = 10,
    PlayersSlot = 11,
};

QString playersLine(int players)
{
    return players == ControlsOptions::JoystickFirst ? QStringLiteral("-2pk") : QStringLiteral("-2pj");
}

} // namespace

ControlsOptions::ControlsOptions(ConfigTemplate &configTemplate) : m_template(configTemplate)
{
    m_store.beginStartup();
    const SettingsFile settings;
    // 1. An absent choice (0) or any value but 1 and 2 leaves the design's choice and its initial line.
    const int players = settings.read(Keys::Players);
    if (players == KeyboardFirst || players == JoystickFirst) {
        guarded([&] { choosePlayers(players); })();
        m_template.replace(PlayersSlot, playersLine(players));
    }
    // 2. Left cleared, the box runs nothing and slot 10 keeps its initial empty line.
    guarded([&] { setUseJoystick(settings.read(Keys::Activado)); })();
    m_store.endStartup();
}

void ControlsOptions::setUseJoystick(bool on)
{
    if (on == m_useJoystick)
        return;
    m_useJoystick = on;
    m_store.write(Keys::Activado, on);
    m_template.replace(JoystickSlot, on ? QStringLiteral("-exjoy") : QStringLiteral(" "));
}

void ControlsOptions::choosePlayers(int players)
{
    if ((players != KeyboardFirst && players != JoystickFirst) || players == m_players)
        return;
    m_players = players;
    m_store.write(Keys::Players, players);
    m_template.replace(PlayersSlot, playersLine(players));
}
