#pragma once
// The common dialogs the settings dialog opens: the library uses the
// system's, a test can hand the dialog its own.
#include <windows.h>

#include <string>

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
