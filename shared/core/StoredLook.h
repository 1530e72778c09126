#pragma once
// How the settings store colours and font styles (portable): the one reading
// of "ShadeColour", "FontColor" and "FontStyle" for the bar and the dialogs.
#include <cstdint>
#include <string>

// A stored colour: the signed decimal text of a colour value. Negative values
// (high bit set) name a system colour by its index in the low byte, others
// are red in the low byte, then green, then blue (the top byte is ignored).
struct StoredColour {
  bool System = false;
  int SystemIndex = 0;
  uint32_t Rgb = 0;
};
StoredColour ColourFromSetting(int32_t value);

// "BoldItalic", "Bold", "Italic" or "".
std::string FontStyleText(bool bold, bool italic);
void FontStyleFrom(const std::string& stored, bool& bold, bool& italic);
