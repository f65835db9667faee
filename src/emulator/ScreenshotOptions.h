#pragma once

// The screenshot choices of the directories dialog, as its controls show them when a screenshot is filed.
struct ScreenshotOptions
{
    bool jpeg = false;          // "Siempre Comprimir a Jpg": convert each screenshot to JPEG
    bool deleteBitmaps = false; // "Borrar Bitmaps Después de Comprimir": keep only the JPEG
    int quality = 75;           // JPEG quality, 1 to 100
};
