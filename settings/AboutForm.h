#pragma once
// TAboutForm: the About box shown for Corvella and for each plug-in, with
// the caller's five texts, the installed version and the system
// information button.
#include <string>

#include "shared/win32/Dialog.h"

struct AboutTexts {
  std::string head, name, version, notice, about;
};

class TAboutForm : public Dialog {
 public:
  explicit TAboutForm(const AboutTexts& texts) : texts_(texts) {}
  ~TAboutForm() override;

 protected:
  // The only dialog with a close box.
  DWORD FrameStyle() const override { return Dialog::FrameStyle() | WS_SYSMENU; }
  void OnInit() override;
  bool OnCommand(int id, int code, HWND control) override;
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, INT_PTR& answer) override;

 private:
  void SysButtonClick();

  AboutTexts texts_;
  HFONT font_ = nullptr;
  HBITMAP logo_ = nullptr;
};
