#pragma once
// Reading an I/O port from user mode. Windows 95/98 let a program execute the
// port instruction; the NT family faults on it. The read is therefore only
// attempted on Windows 9x, and even there a fault (a port a driver guards, or
// a system that only claims to be Windows 9x) is caught and reported as a
// failed read instead of ending the process.
#include <cstdint>

// True on the Windows 9x family, where user-mode port reads are allowed.
bool PortAccessAllowed();

// The port's byte; false where port access is not allowed or the read faulted.
bool ReadIoPort(uint16_t port, uint8_t& value);

// Executes the port instruction whatever the platform; false when it faulted.
bool ReadIoPortGuarded(uint16_t port, uint8_t& value);
