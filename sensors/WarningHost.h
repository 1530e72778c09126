#pragma once
// The warnings' connection to the bar: the registry, the plug-in contract,
// the built-in catalogue, RaiseWarning and ShowError.
#include "sensors/core/WarningObjectCode.h"

// One for the process; TWarnings of the bar is created with it.
TWarningHost& SystemWarningHost();
