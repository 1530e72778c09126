#include "settings/HardwareSettings.h"

#include <windows.h>

#include "settings/LM78DllProbe.h"
#include "settings/LM78Form.h"
#include "shared/VBFunctions.h"

char UserDecimalSeparator() {
  char text[8] = "";
  if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, text, sizeof text) > 1 && text[0])
    return text[0];
  return '.';
}

void RunHardwareSettings(LM78Probe& probe) {
  RegistrySettings settings;
  TLM78Form form(settings, probe, UserDecimalSeparator());
  form.RunModal(nullptr);
}

void RunHardwareSettings() {
  LM78DllProbe probe;
  RunHardwareSettings(probe);
}
