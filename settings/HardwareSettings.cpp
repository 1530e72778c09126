#include "settings/HardwareSettings.h"

// The hardware monitoring dialog is not part of this library yet: nothing to show.
void RunHardwareSettings() {}
