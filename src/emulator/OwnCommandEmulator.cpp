#include "emulator/OwnCommandEmulator.h"

#include "emulator/EmulatorText.h"
#include "language/MessageTable.h"
#include "platform/Messages.h"
#include "settings/SettingsFile.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>

QString OwnCommandEmulator::name() const
{
    return messageTable().text(EmulatorText::OwnCommandKind);
}

bool OwnCommandEmulator::quotesBalanced(const QString &commandTemplate)
{
    // Follows QProcess::splitCommand: a lone double quote opens or closes a quoted part, two in a row change
    // nothing, three stand for one literal quote.
    bool quoted = false;
    int run = 0;
    for (const QChar c : commandTemplate) {
        if (c == u'"') {
            run = (run + 1) % 3;
            continue;
        }
        quoted ^= run == 1;
        run = 0;
    }
    return quoted == (run == 1);
}

std::optional<QStringList> OwnCommandEmulator::argumentsFor(const QString &commandTemplate, const LaunchFiles &files)
{
    if (!quotesBalanced(commandTemplate))
        return std::nullopt;
    static const QRegularExpression placeholder(QStringLiteral("%(ROM|CHEATS|SAVES|SHOTS)%"));
    const auto value = [&files](QStringView name) {
        if (name == u"ROM")
            return files.rom;
        if (name == u"CHEATS")
            return QDir::toNativeSeparators(files.cheats);
        if (name == u"SAVES")
            return QDir::toNativeSeparators(files.savesFolder);
        return QDir::toNativeSeparators(files.shotsFolder);
    };
    QStringList arguments;
    for (const QString &argument : QProcess::splitCommand(commandTemplate)) {
        // One pass over the template's own text, so a ROM path holding "%SAVES%" stays as it is.
        QString replaced;
        qsizetype from = 0;
        for (auto it = placeholder.globalMatch(argument); it.hasNext();) {
            const auto match = it.next();
            replaced += argument.mid(from, match.capturedStart() - from) + value(match.capturedView(1));
            from = match.capturedEnd();
        }
        arguments << replaced + argument.mid(from);
    }
    return arguments;
}

std::optional<QStringList> OwnCommandEmulator::arguments(LaunchContext &launch) const
{
    const QString commandTemplate = launch.settings.read(Keys::OwnCommandLine);
    if (!quotesBalanced(commandTemplate)) {
        showMessage(messageTable().text(EmulatorText::UnbalancedQuote));
        return std::nullopt;
    }
    LaunchFiles files = launch.files();
    if (commandTemplate.contains(QStringLiteral("%CHEATS%")))
        files.cheats = launch.writeMgbaCheats();
    if (files.savesFolder.isEmpty())
        files.savesFolder = launch.baseFolder + QStringLiteral("/Save");
    return argumentsFor(commandTemplate, files);
}

EmulatorKind OwnCommandEmulator::shotKind(const QString &program) const
{
    return EmulatorKinds::recognise(program);
}

QStringList OwnCommandEmulator::usedOptions(const QString &dialog, const QString &) const
{
    // Only the Save folder reaches the program, as %SAVES%.
    return dialog == u"TForm12" ? QStringList{QStringLiteral("CheckBox2")} : QStringList();
}

QString OwnCommandEmulator::codesUse(const QString &) const
{
    const bool passed = SettingsFile().read(Keys::OwnCommandLine).contains(QStringLiteral("%CHEATS%"));
    return messageTable().text(passed ? EmulatorText::CodesToOwnCommand : EmulatorText::CodesNotToOwnCommand);
}
