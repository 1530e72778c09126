#pragma once
// Auto-detection once the user has agreed to it: the chip (found when the
// second of two initialisations answers), the LM75 and Winbond sensors, the
// processor, the motherboard type and the fans. It changes only the
// controls' values and answers the report text; nothing is written.
#include <string>

#include "settings/core/LM78Probe.h"
#include "settings/core/LM78Values.h"

std::string AutoDetect(LM78Probe& probe, LM78Values& values, char separator);
