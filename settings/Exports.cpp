// The library's entry points. Each builds its dialog with no owner, runs it
// modally on the caller's thread and frees it before returning; no error
// leaves the library.
#include <windows.h>
#include <commctrl.h>

#define CVL_BUILDING_LIBRARY
#include "settings/AboutForm.h"
#include "settings/CvlExports.h"
#include "settings/LM78Form.h"
#include "settings/SettingsForm.h"
#include "shared/Common.h"

namespace {
std::string Text(const char* s) { return s ? std::string(s) : std::string(); }
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
