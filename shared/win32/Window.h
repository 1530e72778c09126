#pragma once
// A window handle with one-line operations (it does not own the window), and
// the module that code is linked into.
#include <windows.h>

#include <string>

// The module (program or library) this code is linked into: a library's own
// resources and window classes live there, not in the program that loaded it.
extern "C" IMAGE_DOS_HEADER __ImageBase;
inline HINSTANCE ThisModule() { return reinterpret_cast<HINSTANCE>(&__ImageBase); }

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
