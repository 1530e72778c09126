#include "bar/core/HotKeys.h"

namespace {

struct KeyRow {
  int id;
  char key;
  const char* item;     // caption before the tab
  const char* bareItem; // caption without a shortcut
};

// The shortcut caption spells "Minimized" with z, the bare one "Minimised".
const KeyRow kRows[] = {
    {1, 'P', "&Pause", "&Pause"},
    {2, 'T', "&Top of Screen", "&Top of Screen"},
    {3, 'B', "&Bottom of Screen", "&Bottom of Screen"},
    {4, 'M', "&Minimized", "&Minimised"},
};

std::string CaptionWith(const KeyRow& row, const char* modifierText) {
  return std::string(row.item) + "\t" + modifierText + row.key;
}

}  // namespace

HotKeyPlan HotKeyPlanFor(int32_t value) {
  HotKeyPlan plan;
  if (value == 0) {
    for (const KeyRow& row : kRows) plan.Items.push_back({row.id, row.key, row.bareItem});
    return plan;
  }
  const char* text;
  switch (value) {
    case 1:
      plan.Modifiers = kModControl | kModAlt | kModShift;
      text = "Ctrl+Alt+Shift+";
      break;
    case 2:
      plan.Modifiers = kModControl | kModAlt;
      text = "Ctrl+Alt+";
      break;
    case 3:
      plan.Modifiers = kModControl | kModShift;
      text = "Ctrl+Shift+";
      break;
    case 4:
      plan.Modifiers = kModControl;
      text = "Ctrl+";
      break;
    default:
      plan.Modifiers = kModAlt;
      text = "Alt+";
      break;
  }
  plan.Register = true;
  for (const KeyRow& row : kRows) plan.Items.push_back({row.id, row.key, CaptionWith(row, text)});
  return plan;
}

HotKeyPlan FallbackHotKeyPlan() {
  HotKeyPlan plan;
  plan.Register = true;
  plan.Modifiers = kModControl | kModAlt | kModShift;
  plan.Items.push_back({1, 'P', CaptionWith(kRows[0], "Ctrl+Alt+Shift+")});
  return plan;
}
