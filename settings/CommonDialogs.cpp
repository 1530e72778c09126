#include "settings/CommonDialogs.h"

#include <commdlg.h>

#include <cstring>
#include <vector>

#include "shared/Common.h"

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

int32_t CommonPluginQueries::Facilities(const std::string& path) {
  return Contract().GetPluginFacilities(path);
}

TSENSORINFO CommonPluginQueries::SensorInfo(const std::string& path) {
  TSENSORINFO info;
  Contract().GetSensorInfo(path, info);
  // The dialogs show no icon: the bitmap handed over is theirs to free.
  if (info.Icon) DeleteObject(static_cast<HGDIOBJ>(info.Icon));
  info.Icon = nullptr;
  return info;
}

TWARNINGINFO CommonPluginQueries::WarningInfo(const std::string& path) {
  TWARNINGINFO info;
  Contract().GetWarningInfo(path, info);
  return info;
}

std::string CommonPluginQueries::Name(const std::string& path) { return Contract().GetPluginName(path); }

bool CommonPluginQueries::IsInstalled(const std::string& fileName) {
  return Contract().IsPluginInstalled(fileName);
}

void CommonPluginQueries::ShowSettings(const std::string& path) { Contract().ShowPluginSettings(path); }
