#pragma once
// What the settings dialog's OK leaves behind over damaged values: every
// value it writes is one the bar reads as meant.
namespace sane {

// The general settings of "Settings" and "Priorities" (gtest expectations).
void ExpectGeneralSettings();

}  // namespace sane
