#pragma once
// A modal dialog built from a minimal in-memory template: the derived class
// sizes it in pixels and creates its controls at run time (AddControl), and
// the dialog procedure dispatches to OnInit, OnCommand, OnNotify and OnMessage.
// No exception leaves the dialog procedure.
#include <windows.h>

#include <string>

class Dialog {
 public:
  Dialog() = default;
  virtual ~Dialog() = default;
  Dialog(const Dialog&) = delete;
  Dialog& operator=(const Dialog&) = delete;

  // Runs the dialog modally on the calling thread; answers the code given to
  // End (or -1 when the dialog could not be created).
  INT_PTR RunModal(HWND owner);
  HWND Handle() const { return hwnd_; }
  HWND Item(int id) const { return GetDlgItem(hwnd_, id); }
  void End(INT_PTR result);

  // The module that holds this code (the library itself when built into one).
  static HINSTANCE Module();

 protected:
  // Window styles of the dialog frame; called once before creation.
  virtual DWORD FrameStyle() const {
    return WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_3DLOOK;
  }
  virtual void OnInit() {}
  // True when the command was handled.
  virtual bool OnCommand(int id, int code, HWND control) {
    (void)id, (void)code, (void)control;
    return false;
  }
  virtual LRESULT OnNotify(NMHDR* header) {
    (void)header;
    return 0;
  }
  // Any other message; true when handled, with the dialog procedure's answer.
  virtual bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, INT_PTR& answer) {
    (void)msg, (void)wp, (void)lp, (void)answer;
    return false;
  }
  // Called when a handler let an exception escape; the dialog stays open.
  virtual void OnError(const char* what) { (void)what; }

  // A child control at pixel position (x, y) of the client area (or of parent).
  HWND AddControl(const char* cls, const std::string& text, DWORD style, int x, int y, int w,
                  int h, int id, HFONT font, DWORD exStyle = 0, HWND parent = nullptr);
  void SetClientSize(int width, int height);
  void CenterOnScreen();

 private:
  static INT_PTR CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  INT_PTR Dispatch(UINT msg, WPARAM wp, LPARAM lp);

  HWND hwnd_ = nullptr;
};

// A font owned by the caller: face name and height in pixels (negative: the
// character height, as a font dialog's point size gives at 96 dots per inch).
HFONT MakeFont(const char* face, int height, bool bold = false, bool italic = false,
               bool underline = false);
