// Links cvl.dll through its import library, as Main and the plug-ins do:
// shows the About box (ordinal 3), then the settings dialog (ordinal 4).
#include <windows.h>

#include "settings/CvlExports.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  ShowAbout("Ordinal client", "Client name", "Version 9.9", "Client notice", "Client about");
  ShowSettings();
  return 0;
}
