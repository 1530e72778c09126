#include "bar/PanelTextTable.h"

#include <cstring>

void PanelTextTable::SetWindow(HWND window) {
  Lock lock(lock_);
  window_ = window;
  pending_ = false;
}

void PanelTextTable::Publish(uint32_t generation, int slot, const char* text, size_t length,
                             bool fromPass, GraphColumn column) {
  if (slot < 1 || slot > kMaxPanels) return;
  if (length > static_cast<size_t>(kTextPlace)) length = kTextPlace;
  HWND post = nullptr;
  {
    Lock lock(lock_);
    if (fromPass && !open_) return;
    Place& p = places_[slot - 1];
    // The place keeps the last text sent to its cell, or on its way there.
    if (column.kind == GraphColumn::None && p.Generation == generation && p.Length == length &&
        std::memcmp(p.Chars, text, length) == 0)
      return;
    if (!p.Changed || p.Generation != generation) p.Columns.count = 0;
    p.Columns.Add(column);
    std::memcpy(p.Chars, text, length);
    p.Length = static_cast<uint8_t>(length);
    p.Generation = generation;
    p.Changed = true;
    waiting_ = true;
    if (holder_ != GetCurrentThreadId()) post = ToPost();
  }
  PostTo(post);
}

HWND PanelTextTable::ToPost() {
  if (pending_ || !waiting_ || !window_) return nullptr;
  pending_ = true;
  ++posted_;
  return window_;
}

void PanelTextTable::PostTo(HWND window) {
  // Posted outside the lock; a window that is gone takes no message, and the
  // next writer tries again.
  if (window && !PostMessageA(window, WM_PANELTEXTS, 0, 0)) {
    Lock lock(lock_);
    pending_ = false;
  }
}

void PanelTextTable::Hold() {
  Lock lock(lock_);
  holder_ = GetCurrentThreadId();
}

void PanelTextTable::Send() {
  HWND post = nullptr;
  {
    Lock lock(lock_);
    if (holder_ == GetCurrentThreadId()) holder_ = 0;
    post = ToPost();
  }
  PostTo(post);
}

void PanelTextTable::Open() {
  Lock lock(lock_);
  open_ = true;
}

void PanelTextTable::Close() {
  Lock lock(lock_);
  open_ = false;
  for (Place& p : places_) p.Changed = false;
  waiting_ = false;
}

int PanelTextTable::Take(Text* out) {
  Lock lock(lock_);
  int n = 0;
  for (int i = 0; i < kMaxPanels; ++i) {
    Place& p = places_[i];
    if (!p.Changed) continue;
    Text& t = out[n++];
    t.Generation = p.Generation;
    t.Slot = i + 1;
    std::memcpy(t.Chars, p.Chars, p.Length);
    t.Chars[p.Length] = '\0';
    t.Columns = p.Columns;
    p.Columns.count = 0;
    p.Changed = false;
  }
  pending_ = false;
  waiting_ = false;
  return n;
}

long PanelTextTable::PostedCount() {
  Lock lock(lock_);
  return posted_;
}
