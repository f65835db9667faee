#pragma once

#include "emulator/Emulator.h"

// Any program started with an argument template of the user's, stored for that very program: the template
// split as a desktop entry's Exec line, with the launch's files put in for its placeholders.
class OwnCommandEmulator : public Emulator
{
public:
    EmulatorKind kind() const override { return EmulatorKind::OwnCommand; }
    QString name() const override;
    std::optional<QStringList> arguments(LaunchContext &launch) const override;
    EmulatorKind shotKind(const QString &program) const override;
    QStringList usedOptions(const QString &dialog, const QString &program) const override;
    QString codesUse(const QString &program) const override;
    // Where the kind the program is recognised as keeps it.
    SavePlace savePlace(const SettingsFile &settings, const QString &program, const QString &rom) const override;

    // The template split as a desktop entry's Exec line is (no shell), %ROM%, %CHEATS%, %SAVES% and %SHOTS%
    // replaced inside the arguments they stand in, never splitting them. Nothing for a template with an
    // unbalanced quote.
    static std::optional<QStringList> argumentsFor(const QString &commandTemplate, const LaunchFiles &files);

    // Whether every double quote of the template that opens a quoted part also closes it.
    static bool quotesBalanced(const QString &commandTemplate);
};
