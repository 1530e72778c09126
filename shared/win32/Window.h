#pragma once
// A window handle with one-line operations. Does not own the window.
#include <windows.h>

#include <string>

#include "shared/win32/Module.h"

class Window {
 public:
  explicit Window(HWND hwnd = nullptr) : hwnd_(hwnd) {}
  HWND Handle() const { return hwnd_; }
  HWND Item(int id) const { return GetDlgItem(hwnd_, id); }
  LRESULT Send(UINT msg, WPARAM w = 0, LPARAM l = 0) const { return SendMessageA(hwnd_, msg, w, l); }
  void SetText(const std::string& text) const { SetWindowTextA(hwnd_, text.c_str()); }
  std::string Text() const {
    std::string s(static_cast<size_t>(GetWindowTextLengthA(hwnd_)) + 1, '\0');
    s.resize(static_cast<size_t>(GetWindowTextA(hwnd_, &s[0], static_cast<int>(s.size()))));
    return s;
  }

 protected:
  HWND hwnd_;
};
