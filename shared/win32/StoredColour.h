#pragma once
// A stored colour value as the colour Windows draws with.
#include <windows.h>

#include "shared/core/StoredLook.h"

inline COLORREF ColourRefOf(int32_t stored) {
  const StoredColour c = ColourFromSetting(stored);
  return c.System ? GetSysColor(c.SystemIndex) : static_cast<COLORREF>(c.Rgb);
}
