#include "emulator/JoystickTypeOptions.h"

#include "emulator/ConfigTemplate.h"
#include "settings/SettingsFile.h"

namespace {

constexpr int TypeSlot = 9;

} // namespace

const QStringList &JoystickTypeOptions::typeNames()
{
    static const QStringList names{
        QStringLiteral("SEGA/ISA"),       QStringLiteral("SEGA2/PCI"),    QStringLiteral("SNESPAD-LPT1"),
        QStringLiteral("SNESPAD-LPT2"),   QStringLiteral("SNESPAD-LPT3"), QStringLiteral("SideWinder"),
        QStringLiteral("DPP ( PSXPAD )"), QStringLiteral("Otro Tipo"),
    };
    return names;
}

JoystickTypeOptions::JoystickTypeOptions(ConfigTemplate &configTemplate) : m_template(configTemplate)
{
    const int stored = SettingsFile().read(Keys::Joyset);
    m_type = stored >= 0 && stored < typeNames().size() ? stored : -1;
    writeTypeSlot();
}

void JoystickTypeOptions::chooseType(int index)
{
    if (index < 0 || index >= typeNames().size())
        return;
    m_type = index;
    m_store.write(Keys::Joyset, index);
    writeTypeSlot();
}

void JoystickTypeOptions::writeTypeSlot()
{
    m_template.replace(TypeSlot, m_type == OtherType ? QStringLiteral(" ") : QStringLiteral("-joyset %1").arg(m_type));
}
