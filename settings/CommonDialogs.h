#pragma once
// What the settings dialog is given from outside: the common dialogs it
// opens and the answers of plug-in files. The library uses the system's
// dialogs and the plug-in contract; a test can hand the dialog its own.
#include <windows.h>

#include <string>

#include "settings/core/GeneralSettings.h"

class CommonDialogs {
 public:
  virtual ~CommonDialogs() = default;
  // Opens the colour dialog with colour; true and the new colour on OK.
  virtual bool PickColour(HWND owner, COLORREF& colour) = 0;
  // Opens the font dialog (no size limits) with the font and its colour;
  // true and the new font on OK.
  virtual bool PickFont(HWND owner, LOGFONTA& font, COLORREF& colour) = 0;
  // Opens the file-open dialog for plug-ins with fileName as the current
  // name; fileName is the dialog's current name afterwards. True on OK.
  virtual bool PickPluginFile(HWND owner, std::string& fileName) = 0;
};

// The system's dialogs.
class SystemDialogs : public CommonDialogs {
 public:
  bool PickColour(HWND owner, COLORREF& colour) override;
  bool PickFont(HWND owner, LOGFONTA& font, COLORREF& colour) override;
  bool PickPluginFile(HWND owner, std::string& fileName) override;

 private:
  COLORREF custom_[16] = {};
};

// Plug-in questions answered through the plug-in contract (shared/Common.h):
// each call loads the file, asks it and releases it again.
class CommonPluginQueries : public PluginQueries {
 public:
  int32_t Facilities(const std::string& path) override;
  TSENSORINFO SensorInfo(const std::string& path) override;
  TWARNINGINFO WarningInfo(const std::string& path) override;
  std::string Name(const std::string& path) override;
  bool IsInstalled(const std::string& fileName) override;
  void ShowSettings(const std::string& path) override;
};
