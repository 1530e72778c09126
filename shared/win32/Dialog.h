#pragma once
// A modal dialog built from a minimal in-memory template: the derived class
// sizes it in pixels and creates its controls at run time (AddControl), and
// the dialog procedure dispatches to OnInit, OnOK, OnCancel, OnCommand,
// OnNotify and OnMessage. No exception leaves the dialog procedure.
#include <cstddef>
#include <string>

#include "shared/win32/ListView.h"
#include "shared/win32/Window.h"

class Dialog : public Window {
 public:
  // okButton and cancelButton are the ids whose clicks call OnOK and OnCancel.
  explicit Dialog(int okButton = IDOK, int cancelButton = IDCANCEL)
      : okButton_(okButton), cancelButton_(cancelButton) {}
  virtual ~Dialog() = default;
  Dialog(const Dialog&) = delete;
  Dialog& operator=(const Dialog&) = delete;

  // Runs the dialog modally on the calling thread; answers the code given to
  // End (or -1 when the dialog could not be created).
  INT_PTR RunModal(HWND owner);
  void End(INT_PTR result);

  // Controls by id.
  Window Control(int id) const { return Window(Item(id)); }
  bool IsChecked(int id) const { return IsDlgButtonChecked(hwnd_, id) == BST_CHECKED; }
  void SetCheck(int id, bool on) const { CheckDlgButton(hwnd_, id, on ? BST_CHECKED : BST_UNCHECKED); }
  // Checks one button of a group and clears the others.
  template <size_t N>
  void CheckOne(const int (&group)[N], int id) const {
    for (int member : group) SetCheck(member, member == id);
  }
  // The position in group of the first checked button; -1 when none is.
  template <size_t N>
  int CheckedIn(const int (&group)[N]) const {
    for (size_t i = 0; i < N; ++i)
      if (IsChecked(group[i])) return static_cast<int>(i);
    return -1;
  }
  int ComboIndex(int id) const { return static_cast<int>(Control(id).Send(CB_GETCURSEL)); }
  void SetComboIndex(int id, int index) const { Control(id).Send(CB_SETCURSEL, index); }
  std::string ItemText(int id) const { return Control(id).Text(); }
  void SetItemText(int id, const std::string& text) const { Control(id).SetText(text); }

 protected:
  // Window styles of the dialog frame; called once before creation.
  virtual DWORD FrameStyle() const { return WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_3DLOOK; }
  virtual void OnInit() {}
  virtual void OnOK() { End(IDOK); }
  virtual void OnCancel() { End(IDCANCEL); }
  // Any other command; true when handled.
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
  // A drop-down list with its items.
  HWND AddCombo(int id, int x, int y, int w, int h, const char* const* items, int count,
                HFONT font, DWORD style = 0);
  // A report list view with full-row selection and the columns.
  ListView AddListView(int id, int x, int y, int w, int h, DWORD style, HFONT font,
                       const std::vector<ListView::Column>& columns);
  void SetClientSize(int width, int height);
  void CenterOnScreen();

 private:
  static INT_PTR CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  INT_PTR Dispatch(UINT msg, WPARAM wp, LPARAM lp);

  int okButton_, cancelButton_;
};

// A font owned by the caller: face name and height in pixels (negative: the
// character height, as a font dialog's point size gives at 96 dots per inch).
HFONT MakeFont(const char* face, int height, bool bold = false, bool italic = false,
               bool underline = false);
