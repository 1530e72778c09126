#include "shared/core/StoredLook.h"

StoredColour ColourFromSetting(int32_t value) {
  StoredColour c;
  if (value < 0) {
    c.System = true;
    c.SystemIndex = value & 0xFF;
  } else {
    c.Rgb = static_cast<uint32_t>(value) & 0xFFFFFF;
  }
  return c;
}

std::string FontStyleText(bool bold, bool italic) {
  if (bold && italic) return "BoldItalic";
  if (bold) return "Bold";
  if (italic) return "Italic";
  return "";
}

void FontStyleFrom(const std::string& stored, bool& bold, bool& italic) {
  bold = stored == "BoldItalic" || stored == "Bold";
  italic = stored == "BoldItalic" || stored == "Italic";
}
