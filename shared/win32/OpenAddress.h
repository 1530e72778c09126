#pragma once
// Opens what an address of the product names (shared/core/Addresses.h): a web
// address or a file through the shell, and a section of a local page
// ("C:\...\Help.htm#plugins") in the program the page's type opens with, at
// that section. The shell alone cannot: it takes the whole text for a file
// name, or drops the section on the way.
#include <windows.h>

#include <string>

// False when nothing could be started.
bool OpenAddress(HWND owner, const std::string& target);
