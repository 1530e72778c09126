#include "shared/core/DiskGeometry.h"

#include <limits>

bool FreeBytesFromGeometry(uint32_t bytesPerSector, uint32_t sectorsPerCluster,
                           uint32_t freeClusters, int32_t& freeBytes) {
  constexpr int64_t kMax = std::numeric_limits<int32_t>::max();
  if (bytesPerSector > kMax || sectorsPerCluster > kMax || freeClusters > kMax) return false;
  int64_t product = static_cast<int64_t>(bytesPerSector) * sectorsPerCluster;
  if (product > kMax) return false;
  product *= freeClusters;
  if (product > kMax) return false;
  freeBytes = static_cast<int32_t>(product);
  return true;
}
