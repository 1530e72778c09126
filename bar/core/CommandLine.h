#pragma once
// Arguments of a Windows command line (portable).
#include <string>

// The n-th blank-separated item (0: the program), or the empty text. Double
// quotes group blanks into an item and are not part of it.
std::string CommandLineItem(const std::string& commandLine, int n);

// The program starts only when launched with exactly this first argument.
constexpr const char* kLaunchArgument = "SplashLaunch";
