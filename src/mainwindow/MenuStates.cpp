#include "mainwindow/MenuStates.h"

#include "platform/PathHelpers.h"

bool enabledFor(SelectionRule rule, const std::optional<QString> &selectedPath)
{
    if (!selectedPath)
        return false;
    switch (rule) {
    case SelectionRule::Always:
        return true;
    case SelectionRule::NotArchive:
        return !isArchive(*selectedPath);
    case SelectionRule::Archive:
        return isArchive(*selectedPath);
    }
    return false;
}
