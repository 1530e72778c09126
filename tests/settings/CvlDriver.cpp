#include "tests/settings/CvlDriver.h"

#include <vector>

#include <commctrl.h>
#include <gtest/gtest.h>

#include "tests/support/WinTest.h"

namespace cvltest {

HMODULE CvlLibrary() {
  static HMODULE module = LoadLibraryA((wintest::BinDir() + "cvl.dll").c_str());
  return module;
}

FARPROC CvlEntry(const char* nameOrOrdinal) {
  HMODULE m = CvlLibrary();
  return m ? GetProcAddress(m, nameOrOrdinal) : nullptr;
}

DialogThread::DialogThread(std::function<void()> call) : call_(std::move(call)) {
  thread_ = CreateThread(nullptr, 0, Main, this, 0, &id_);
}

DWORD WINAPI DialogThread::Main(LPVOID self) {
  static_cast<DialogThread*>(self)->call_();
  return 0;
}

bool DialogThread::WaitDone(DWORD ms) {
  return thread_ && WaitForSingleObject(thread_, ms) == WAIT_OBJECT_0;
}

bool DialogThread::Done() { return WaitDone(0); }

namespace {
BOOL CALLBACK CollectThreadWindow(HWND hwnd, LPARAM param) {
  reinterpret_cast<std::vector<HWND>*>(param)->push_back(hwnd);
  return TRUE;
}
std::vector<HWND> ThreadWindows(DWORD id) {
  std::vector<HWND> all;
  EnumThreadWindows(id, CollectThreadWindow, reinterpret_cast<LPARAM>(&all));
  return all;
}
}  // namespace

HWND DialogThread::WaitForWindow(const std::string& caption, DWORD ms) {
  HWND found = nullptr;
  wintest::WaitUntil(
      [&] {
        for (HWND h : ThreadWindows(id_))
          if (IsWindowVisible(h) && wintest::WindowText(h) == caption) {
            found = h;
            return true;
          }
        return false;
      },
      ms);
  return found;
}

DialogThread::~DialogThread() {
  if (!thread_) return;
  for (int round = 0; round < 50 && !WaitDone(100); ++round)
    for (HWND h : ThreadWindows(id_)) {
      PostMessageA(h, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
      PostMessageA(h, WM_CLOSE, 0, 0);
    }
  if (!WaitDone(5000)) TerminateThread(thread_, 1);
  CloseHandle(thread_);
}

std::string Text(HWND dlg, int id) { return wintest::WindowText(GetDlgItem(dlg, id)); }

void SetCheck(HWND dlg, int id, bool on) {
  HWND c = GetDlgItem(dlg, id);
  SendMessageA(c, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
  SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(c));
}

void Click(HWND dlg, int id) {
  SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dlg, id)));
}

void PostClick(HWND dlg, int id) {
  PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dlg, id)));
}

bool Checked(HWND dlg, int id) {
  return SendMessageA(GetDlgItem(dlg, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

int ComboIndex(HWND dlg, int id) {
  return static_cast<int>(SendMessageA(GetDlgItem(dlg, id), CB_GETCURSEL, 0, 0));
}

std::string ComboText(HWND dlg, int id) {
  int i = ComboIndex(dlg, id);
  if (i < 0) return "<none>";
  HWND c = GetDlgItem(dlg, id);
  std::vector<char> buf(SendMessageA(c, CB_GETLBTEXTLEN, i, 0) + 1, '\0');
  SendMessageA(c, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(buf.data()));
  return buf.data();
}

void SelectCombo(HWND dlg, int id, int index) {
  HWND c = GetDlgItem(dlg, id);
  SendMessageA(c, CB_SETCURSEL, index, 0);
  SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(c));
}

RECT ClientRectIn(HWND dlg, int id) {
  RECT r = wintest::WindowRectOf(GetDlgItem(dlg, id));
  MapWindowPoints(nullptr, dlg, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

std::string FontFace(HWND control, int* height) {
  HFONT f = reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0));
  LOGFONTA lf{};
  if (!f || !GetObjectA(f, sizeof lf, &lf)) return "<none>";
  if (height) *height = lf.lfHeight;
  return lf.lfFaceName;
}

HWND ShownDialog::Open(std::function<void()> call, const std::string& caption) {
  Start(std::move(call));
  HWND dlg = thread_->WaitForWindow(caption);
  EXPECT_NE(dlg, nullptr) << caption;
  return dlg;
}

bool ShownDialog::Close(HWND dlg, int button) {
  Click(dlg, button);
  return thread_->WaitDone(5000);
}

std::string ListCell(HWND list, int row, int column) {
  char text[256] = "";
  LVITEMA item{};
  item.iSubItem = column;
  item.pszText = text;
  item.cchTextMax = sizeof text;
  SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
  return text;
}

}  // namespace cvltest
