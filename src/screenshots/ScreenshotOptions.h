#pragma once

#include "settings/SettingsFile.h"

// The three screenshot options of the directories dialog. The dialog holds them live; until a caller has
// the dialog at hand it takes them from the settings file, where the dialog stores each change at once.
struct ScreenshotOptions
{
    bool convertToJpeg = false; // "comjpg": file a JPEG beside the bitmap
    bool deleteBitmap = false;  // "bbmp": keep only the JPEG
    int quality = 75;           // "q": 1 to 100

    static ScreenshotOptions fromSettings(const SettingsFile &settings)
    {
        return {settings.read(Keys::Comjpg), settings.read(Keys::Bbmp), settings.read(Keys::Quality)};
    }
};
