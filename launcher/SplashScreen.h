#pragma once
#include <windows.h>

// Class and caption of the logo screen (other programs may look for it).
constexpr const char* kSplashClass = "CorvellaSplash";
constexpr const char* kSplashCaption = "Corvella";

// Shows the logo centred on the screen, without a frame, above other windows
// and without taking the keyboard, until ms milliseconds have passed or the
// user clicks it. Returns at once when the window cannot be made.
void ShowSplash(HINSTANCE instance, UINT ms);
