#pragma once

#include <QString>
#include <functional>
#include <optional>

class ConfigTemplate;

// The launch of the emulator on one ROM (launch): checks, Zibo.cfg written, the emulator started.
class Launcher
{
public:
    struct Steps
    {
        std::function<void()> startScreenshotWatch; // first, whatever follows
        std::function<void()> prepareCheats;        // the row check, then "Usar" or "No Usar"
    };

    Launcher(ConfigTemplate &configTemplate, Steps steps);

    // Runs the eight steps; the command line started, or nothing when a check stopped the launch (its
    // message shown). A refused Zibo.cfg raises CartlingError and starts nothing.
    std::optional<QString> launch(const QString &rom);

    // The command line as shown to the user: the emulator's path, a blank, the ROM path in double quotes.
    static QString commandLine(const QString &emulator, const QString &rom);

private:
    ConfigTemplate &m_template;
    Steps m_steps;
};
