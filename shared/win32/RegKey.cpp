#include "shared/win32/RegKey.h"

#include <vector>

bool RegKey::QueryString(const char* name, std::string& out) const {
  // Most values fit the first buffer: one question instead of asking the
  // size first.
  char first[256];
  DWORD type = 0, size = sizeof first - 1;
  const LONG r =
      RegQueryValueExA(key_, name, nullptr, &type, reinterpret_cast<BYTE*>(first), &size);
  if (r == ERROR_SUCCESS) {
    if (type != REG_SZ && type != REG_EXPAND_SZ) return false;
    first[size < sizeof first - 1 ? size : sizeof first - 1] = '\0';
    out.assign(first);
    return true;
  }
  if (r != ERROR_MORE_DATA) return false;
  if (type != REG_SZ && type != REG_EXPAND_SZ) return false;
  std::vector<char> data(size + 1, '\0');
  DWORD read = size;
  if (RegQueryValueExA(key_, name, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &read) !=
      ERROR_SUCCESS)
    return false;
  if (type != REG_SZ && type != REG_EXPAND_SZ) return false;
  data[read < size ? read : size] = '\0';
  out.assign(data.data());
  return true;
}

bool RegKey::QueryDword(const char* name, DWORD& out) const {
  DWORD type = 0, value = 0, size = sizeof value;
  if (RegQueryValueExA(key_, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
      ERROR_SUCCESS)
    return false;
  if (size != sizeof value) return false;
  out = value;
  return true;
}
