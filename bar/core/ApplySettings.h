#pragma once
// Reading and applying the general settings, as a driver over the steps the
// bar window offers (portable, so its order and its error path are the same
// everywhere and can be checked without a window).
#include <cstdint>
#include <string>

#include "bar/core/BarWindow.h"
#include "shared/core/SettingsSource.h"

// The ten steps in order. When one raises, the rest are skipped: the error
// is shown with code "05." and the safe defaults are applied instead (each of
// them on its own, so one more failure does not leave the bar unplaced).
void ApplySettingsWith(bool atStartUp, SettingsSource& settings, BarWindow& steps);
