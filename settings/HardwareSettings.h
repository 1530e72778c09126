#pragma once
// The hardware monitoring settings dialog, opened by ordinal 1 and by the
// "Hardware Monitoring Settings" button of the settings dialog.
//
// RunHardwareSettings creates TLM78Form with no owner, runs it modally on
// the calling thread and frees it; it returns when the user closes it. The
// dialog writes the "LM78" section itself.
class LM78Probe;

// The registry, Chipwatch.dll and Coreprobe.dll, and the user's decimal separator.
void RunHardwareSettings();
// The same over another machine (tests).
void RunHardwareSettings(LM78Probe& probe);

// The first character of the user's decimal separator ("." when unknown).
char UserDecimalSeparator();
