#pragma once
// How panel texts travel from the display thread to the panels' windows.
// Every panel slot has a fixed 80-character place in this table, guarded by a
// critical section. A writer (any thread) fills the place, marks it changed
// and posts one message to the bar window unless one is already on its way;
// the main thread then takes every changed place at once (Take). A text equal
// to the one its place holds changes nothing, unless it comes with a column
// of the panel's graph: a graphed panel changes at every pass. A pass holds its posts while
// its panels run (Hold) and sends them once after its last panel (Send): one
// message per pass at most, none when no text changed. Nothing is allocated
// on either side, and the writer never waits for the main thread, so a pass
// can neither block nor be blocked by the window (exit, pause, the settings
// dialog, a reload).
//
// The table is also the gate of the texts of a pass (TextGate): once the user
// has paused, the pass under way publishes nothing more, and what it
// published but the window has not shown yet is dropped, so no reading lands
// on the dashes.
#include <windows.h>

#include <cstdint>

#include "bar/core/DisplayPanelCode.h"
#include "bar/core/RefreshLoop.h"
#include "shared/win32/Handle.h"

// Posted to the bar window when texts are waiting.
constexpr UINT WM_PANELTEXTS = WM_USER + 160;

class PanelTextTable : public TextGate {
 public:
  static constexpr int kTextPlace = 80;  // characters; a sensor text is at most 80

  struct Text {
    uint32_t Generation;
    int Slot;
    char Chars[kTextPlace + 1];  // NUL-terminated copy
    HeldColumns Columns;         // the columns handed over with it, oldest first
  };

  PanelTextTable() = default;
  PanelTextTable(const PanelTextTable&) = delete;
  PanelTextTable& operator=(const PanelTextTable&) = delete;

  // The window that receives WM_PANELTEXTS (nullptr: none, texts only wait).
  void SetWindow(HWND window);
  // Any thread. Slot 1..100; longer texts are cut to 80 characters. A text
  // of a pass (fromPass) is dropped while the gate is closed. A column joins
  // those not taken yet (HeldColumns).
  void Publish(uint32_t generation, int slot, const char* text, size_t length, bool fromPass,
               GraphColumn column = {});
  // The calling thread's texts wait in the table until it calls Send, which
  // posts one message when any text is waiting. Another thread's texts are
  // posted as before (a given-up thread never comes back to Send).
  void Hold();
  void Send();
  // TextGate, under the display thread's lock.
  void Open() override;
  void Close() override;
  // Main thread: copies every changed place into out (kMaxPanels entries)
  // and answers how many; the places count as unchanged afterwards.
  int Take(Text* out);
  // Messages posted so far (one per batch of changes).
  long PostedCount();

 private:
  struct Place {
    char Chars[kTextPlace];
    uint8_t Length;
    bool Changed;
    uint32_t Generation;
    HeldColumns Columns;  // not taken yet
  };

  // Under the lock: the window to post to now, if any.
  HWND ToPost();
  void PostTo(HWND window);

  CriticalSection lock_;
  Place places_[kMaxPanels] = {};
  bool pending_ = false;
  bool waiting_ = false;  // a place is marked changed
  DWORD holder_ = 0;      // the thread whose texts wait for Send
  bool open_ = true;
  HWND window_ = nullptr;
  long posted_ = 0;
};
