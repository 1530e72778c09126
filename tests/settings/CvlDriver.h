#pragma once
// Drives the shipped cvl.dll from a test: its entry points run on a worker
// thread (the dialogs are modal there) while the test finds the dialog by
// caption and works its controls with window messages.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

namespace cvltest {

// cvl.dll from the shipped binaries, loaded once for the whole program.
HMODULE CvlLibrary();
FARPROC CvlEntry(const char* nameOrOrdinal);

// Runs a call on its own thread. The destructor closes whatever windows the
// thread still shows (a failed test must not leave a modal dialog behind)
// and waits for the call to return.
class DialogThread {
 public:
  explicit DialogThread(std::function<void()> call);
  ~DialogThread();
  DialogThread(const DialogThread&) = delete;
  DialogThread& operator=(const DialogThread&) = delete;
  bool WaitDone(DWORD ms);
  bool Done();
  DWORD ThreadId() const { return id_; }
  // The first visible top-level window of this thread with that caption.
  HWND WaitForWindow(const std::string& caption, DWORD ms = 10000);

 private:
  static DWORD WINAPI Main(LPVOID self);
  std::function<void()> call_;
  HANDLE thread_ = nullptr;
  DWORD id_ = 0;
};

// The dialog a test works with: its call on a DialogThread, opened and closed
// as the user would. -> reaches the thread (to wait for further windows).
class ShownDialog {
 public:
  void Start(std::function<void()> call) { thread_.reset(new DialogThread(std::move(call))); }
  // Starts call and waits for its window with that caption (a failed
  // expectation and nullptr when none shows).
  HWND Open(std::function<void()> call, const std::string& caption);
  // Clicks button and waits for the call to return.
  bool Close(HWND dlg, int button);
  DialogThread* operator->() { return thread_.get(); }

 private:
  std::unique_ptr<DialogThread> thread_;
};

// Control helpers (in-process: the dialog thread answers sent messages).
std::string Text(HWND dlg, int id);
void SetCheck(HWND dlg, int id, bool on);  // sets the state and notifies as a click does
void Click(HWND dlg, int id);              // BN_CLICKED, sent (returns when handled)
void PostClick(HWND dlg, int id);          // BN_CLICKED, posted (for buttons that open dialogs)
bool Checked(HWND dlg, int id);
int ComboIndex(HWND dlg, int id);
std::string ComboText(HWND dlg, int id);  // the selected item's text, or "<none>"
void SelectCombo(HWND dlg, int id, int index);  // CB_SETCURSEL + CBN_SELCHANGE
RECT ClientRectIn(HWND dlg, int id);            // the control's rectangle in dlg's client area
std::string FontFace(HWND control, int* height = nullptr);
// The text of a report list view's cell.
std::string ListCell(HWND list, int row, int column);

}  // namespace cvltest
