#pragma once
#include <string>

// The launch argument the bar program insists on.
constexpr const char* kLaunchArgument = "SplashLaunch";

// Starts Main.exe from the launcher's own folder, with that folder as its
// current folder and kLaunchArgument as its only argument, and does not wait
// for it. Returns the text to show the user when it cannot be started, else
// the empty text.
std::string StartBar();
