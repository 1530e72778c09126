#pragma once
// The hardware monitoring settings dialog, opened by ordinal 1 and by the
// "Hardware Monitoring Settings" button of the settings dialog.
//
// RunHardwareSettings creates the dialog with no owner, runs it modally on
// the calling thread and frees it; it returns when the user closes it. The
// dialog writes the "LM78" section itself. Until that dialog is built this
// function shows nothing and returns at once: its body in
// HardwareSettings.cpp is the only place to change when it arrives.
void RunHardwareSettings();
