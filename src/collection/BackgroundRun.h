#pragma once

#include "platform/Progress.h"

#include <QString>
#include <functional>

class QWidget;

// Runs long work on a worker thread while the window shows its progress with "Cancelar", as the title list
// generation does, so the window keeps drawing. Until the progress window is up (after half a second), clicks and
// keys wait, so no second command starts meanwhile. `work` must not touch widgets; it hears through its Progress
// whether to go on. An error it raises is raised again here once the worker has ended. Returns false when the user
// cancelled.
bool runInBackground(QWidget *parent, const QString &caption, const std::function<void(const Progress &)> &work);
