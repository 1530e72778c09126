#include "settings/CommonDialogs.h"

#include <commdlg.h>

#include <cstring>
#include <vector>


bool SystemDialogs::PickColour(HWND owner, COLORREF& colour) {
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

bool SystemDialogs::PickFont(HWND owner, LOGFONTA& font, COLORREF& colour) {
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

bool SystemDialogs::PickPluginFile(HWND owner, std::string& fileName) {
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
