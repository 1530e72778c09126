#pragma once
// A picture of the screen (or of a rectangle of it) as the display shows it.
#include <windows.h>

#include "tools/barpeek/core/PngImage.h"

// Copies the rectangle from the screen; an empty rectangle means the whole
// screen. False when the display refuses the copy.
bool CaptureScreen(RECT area, RgbImage& image);
