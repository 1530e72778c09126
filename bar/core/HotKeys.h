#pragma once
// The four global hot keys and their menu captions, from "HotKeyModifiers"
// (portable).
#include <cstdint>
#include <string>
#include <vector>

// Modifier bits with the values RegisterHotKey takes.
constexpr uint32_t kModAlt = 1, kModControl = 2, kModShift = 4;

struct HotKeyItem {
  int Id;              // 1 pause, 2 top, 3 bottom, 4 minimise
  char Key;            // the letter of the key
  std::string Caption; // the menu item's caption
};

// What to do with the hot keys: register every item with Modifiers (with no
// unregistering first), or unregister them; in both cases set the captions.
struct HotKeyPlan {
  bool Register = false;
  uint32_t Modifiers = 0;
  std::vector<HotKeyItem> Items;
};

// The plan for a "HotKeyModifiers" value: 1 Ctrl+Alt+Shift, 2 Ctrl+Alt,
// 3 Ctrl+Shift, 4 Ctrl, 5 and every other value but 0 Alt; 0 unregisters all
// four and leaves the captions without shortcut text.
HotKeyPlan HotKeyPlanFor(int32_t value);

// The plan of the safe defaults after a failed settings load: only the pause
// key, with Ctrl+Alt+Shift.
HotKeyPlan FallbackHotKeyPlan();
