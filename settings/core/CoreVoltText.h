#pragma once
// The texts of the hardware dialog's value edits. The core voltage is shown
// in volts in the shortest general decimal form (at most 15 significant
// digits, no trailing zeros: "2.8", "3", "0.05") with the user's decimal
// separator, and stored in hundredths of a volt. The compensation edits
// hold whole degrees.
#include <cstdint>
#include <string>

std::string VoltText(double volts, char separator);

// The whole text as a decimal number with that separator (blanks around it,
// a sign and an exponent allowed); false for anything else.
bool ParseVolts(const std::string& text, char separator, double& volts);

// "+": the number plus 0.1. "-": the number minus 0.1, where a result below
// 0.1 becomes 0. A text that is no number becomes "0" either way.
std::string CoreVoltUp(const std::string& text, char separator);
std::string CoreVoltDown(const std::string& text, char separator);

// A stored "CoreVolt" (hundredths, read leniently) as the edit shows it.
std::string CoreVoltFromStored(const std::string& stored, char separator);
// What OK stores for the edit: its number x 100 rounded to the nearest whole
// number (halves to even), kept within 32 bits. False when the edit holds no
// number: nothing is stored then.
bool CoreVoltToStored(const std::string& text, char separator, std::string& stored);

// A compensation "+" or "-": the text read as a whole number plus delta,
// held at the 32-bit limits instead of wrapping round.
std::string CompensationStep(const std::string& text, int delta);
