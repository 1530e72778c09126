#pragma once
// Free bytes from a drive's geometry, for systems whose kernel lacks the
// 64-bit free-space call (portable).
#include <cstdint>
#include <string>

// bytesPerSector x sectorsPerCluster x freeClusters in signed 32-bit
// arithmetic; false (and freeBytes untouched) when the product overflows,
// as it does for free space of 2 GB and more.
bool FreeBytesFromGeometry(uint32_t bytesPerSector, uint32_t sectorsPerCluster,
                           uint32_t freeClusters, int32_t& freeBytes);

// The root (first three characters) of the n-th entry, from 1, of a
// GetLogicalDriveStringsA list held in a 257-character buffer; empty when the
// list ends before it.
std::string DriveRootOf(const char* list, int n);
