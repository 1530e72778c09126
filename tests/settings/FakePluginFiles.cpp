#include "tests/settings/FakePluginFiles.h"

#include "settings/core/GeneralSettings.h"

std::vector<BitmapHandle>& DiscardedIcons() {
  static std::vector<BitmapHandle> icons;
  return icons;
}

void DiscardPluginIcon(BitmapHandle icon) { DiscardedIcons().push_back(icon); }
