#pragma once
// A window handle with one-line operations. Does not own the window.
#include <windows.h>

#include <string>

class Window {
 public:
  Window(HWND hwnd = nullptr) : hwnd_(hwnd) {}
  HWND Handle() const { return hwnd_; }
  operator HWND() const { return hwnd_; }
  void Attach(HWND hwnd) { hwnd_ = hwnd; }

  bool Show(int cmd = SW_SHOW) const { return ShowWindow(hwnd_, cmd) != FALSE; }
  bool Hide() const { return ShowWindow(hwnd_, SW_HIDE) != FALSE; }
  bool IsVisible() const { return IsWindowVisible(hwnd_) != FALSE; }
  bool Enable(bool on) const { return EnableWindow(hwnd_, on) != FALSE; }
  bool Destroy() {
    bool ok = DestroyWindow(hwnd_) != FALSE;
    hwnd_ = nullptr;
    return ok;
  }
  bool Move(int x, int y, int w, int h, bool repaint = true) const {
    return MoveWindow(hwnd_, x, y, w, h, repaint) != FALSE;
  }
  bool SetPos(HWND after, int x, int y, int w, int h, UINT flags) const {
    return SetWindowPos(hwnd_, after, x, y, w, h, flags) != FALSE;
  }
  RECT WindowRect() const {
    RECT r{};
    GetWindowRect(hwnd_, &r);
    return r;
  }
  RECT ClientRect() const {
    RECT r{};
    GetClientRect(hwnd_, &r);
    return r;
  }
  bool SetText(const std::string& text) const { return SetWindowTextA(hwnd_, text.c_str()) != FALSE; }
  std::string Text() const {
    int n = GetWindowTextLengthA(hwnd_);
    std::string s(static_cast<size_t>(n) + 1, '\0');
    n = GetWindowTextA(hwnd_, &s[0], n + 1);
    s.resize(n > 0 ? static_cast<size_t>(n) : 0);
    return s;
  }
  LONG Style() const { return GetWindowLongA(hwnd_, GWL_STYLE); }
  void SetStyle(LONG style) const { SetWindowLongA(hwnd_, GWL_STYLE, style); }
  LRESULT Send(UINT msg, WPARAM w = 0, LPARAM l = 0) const { return SendMessageA(hwnd_, msg, w, l); }
  bool Post(UINT msg, WPARAM w = 0, LPARAM l = 0) const { return PostMessageA(hwnd_, msg, w, l) != FALSE; }
  HWND Item(int id) const { return GetDlgItem(hwnd_, id); }
  bool Invalidate(bool erase = true) const { return InvalidateRect(hwnd_, nullptr, erase) != FALSE; }

 private:
  HWND hwnd_;
};
