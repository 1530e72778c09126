// The library's entry points. Each builds its dialog with no owner, runs it
// modally on the caller's thread and frees it before returning; no error
// leaves the library.
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>

#include <cstring>
#include <vector>

#define CVL_BUILDING_LIBRARY
#include "settings/AboutForm.h"
#include "settings/CvlExports.h"
#include "settings/LM78Form.h"
#include "settings/SettingsForm.h"
#include "shared/Common.h"

namespace {

std::string Text(const char* s) { return s ? std::string(s) : std::string(); }

// The system's common dialogs.
class SystemDialogs : public CommonDialogs {
 public:
  bool PickColour(HWND owner, COLORREF& colour) override {
    for (COLORREF& c : custom_)
      if (c == 0) c = RGB(255, 255, 255);
    CHOOSECOLORA cc{};
    cc.lStructSize = sizeof cc;
    cc.hwndOwner = owner;
    cc.rgbResult = colour;
    cc.lpCustColors = custom_;
    cc.Flags = CC_RGBINIT;
    if (!ChooseColorA(&cc)) return false;
    colour = cc.rgbResult;
    return true;
  }

  bool PickFont(HWND owner, LOGFONTA& font, COLORREF& colour) override {
    CHOOSEFONTA cf{};
    LOGFONTA lf = font;
    cf.lStructSize = sizeof cf;
    cf.hwndOwner = owner;
    cf.lpLogFont = &lf;
    cf.rgbColors = colour;
    cf.Flags = CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT;
    if (!ChooseFontA(&cf)) return false;
    font = lf;
    colour = cf.rgbColors;
    return true;
  }

  bool PickPluginFile(HWND owner, std::string& fileName) override {
    std::vector<char> buffer(MAX_PATH * 2, '\0');
    std::strncpy(buffer.data(), fileName.c_str(), buffer.size() - 1);
    OPENFILENAMEA ofn{};
    ofn.lStructSize = OPENFILENAME_SIZE_VERSION_400A;  // the record Windows 95 knows
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = "Corvella Plugins\0*.cvl\0";
    ofn.lpstrFile = buffer.data();
    ofn.nMaxFile = static_cast<DWORD>(buffer.size());
    // Any typed name is taken: the install steps refuse one that is no plug-in
    // with the product's own message, so the dialog asks nothing of its own.
    ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY;
    bool ok = GetOpenFileNameA(&ofn) != FALSE;
    if (ok) fileName = buffer.data();
    return ok;
  }

 private:
  COLORREF custom_[16] = {};
};

}  // namespace

extern "C" void __stdcall ShowHardwareSettings(void) {
  try {
    InitCommonControls();
    RunHardwareSettings();
  } catch (...) {
  }
}

extern "C" void __stdcall ShowAbout(const char* head, const char* name, const char* version,
                                    const char* notice, const char* about) {
  try {
    TAboutForm form({Text(head), Text(name), Text(version), Text(notice), Text(about)});
    form.RunModal(nullptr);
  } catch (...) {
  }
}

extern "C" void __stdcall ShowSettings(void) {
  try {
    InitCommonControls();
    SystemDialogs dialogs;
    RunSettingsForm(Contract(), dialogs);
  } catch (...) {
  }
}
