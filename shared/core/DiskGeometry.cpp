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

std::string DriveRootOf(const char* list, int n) {
  constexpr int kListSize = 257;
  if (!list || n < 1) return std::string();
  int pos = 0;
  for (int entry = 1; entry < n; ++entry) {
    if (list[pos] == '\0') return std::string();  // the list ended
    while (pos < kListSize && list[pos] != '\0') ++pos;
    ++pos;  // past the NUL that ends this root
    if (pos >= kListSize) return std::string();
  }
  std::string root;
  for (int i = pos; i < kListSize && i < pos + 3 && list[i] != '\0'; ++i) root += list[i];
  return root;
}
