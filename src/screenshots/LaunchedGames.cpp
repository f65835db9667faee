#include "screenshots/LaunchedGames.h"

#include "emulator/Emulator.h"

#include <QFileInfo>

#include <algorithm>

void LaunchedGames::add(const QString &rom, EmulatorKind shotKind, const QDateTime &at)
{
    const QFileInfo file(rom);
    const QString stem = file.suffix().isEmpty() ? file.fileName() : file.completeBaseName();
    m_launches.append({rom, stem, shotKind, at, true});
}

void LaunchedGames::ended(const QString &rom)
{
    // Which of two launches of one game ended cannot be told, nor does it matter: only the count does.
    const auto it =
        std::find_if(m_launches.begin(), m_launches.end(), [&](const Launch &l) { return l.running && l.rom == rom; });
    if (it != m_launches.end())
        it->running = false;
}

bool LaunchedGames::allEnded() const
{
    return !m_launches.isEmpty() &&
           std::none_of(m_launches.begin(), m_launches.end(), [](const Launch &l) { return l.running; });
}

QString LaunchedGames::gameOfPng(const QString &fileName, const QDateTime &modified) const
{
    for (auto it = m_launches.rbegin(); it != m_launches.rend(); ++it) {
        if (Emulators::of(it->kind).isShotOf(fileName, it->stem) && modified >= it->at.addSecs(-TimeStepSeconds))
            return it->rom;
    }
    return {};
}

QString LaunchedGames::bitmapGame() const
{
    const auto it = std::find_if(m_launches.rbegin(), m_launches.rend(),
                                 [](const Launch &l) { return Emulators::of(l.kind).leavesZiboBitmap(); });
    return it == m_launches.rend() ? QString() : it->rom;
}
