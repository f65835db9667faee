#pragma once

#include "mainwindow/Windows.h"

#include <memory>

// Creates the fifteen windows in their fixed order; each reads its settings while it is created, and the
// last one runs the late start-up step. When the main window could not start (the ZIP library check
// failed) only the main window exists.
std::unique_ptr<Windows> createWindows();
