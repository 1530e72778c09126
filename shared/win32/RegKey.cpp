#include "shared/win32/RegKey.h"

#include <vector>

bool RegKey::QueryString(const char* name, std::string& out) const {
  DWORD type = 0, size = 0;
  if (RegQueryValueExA(key_, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return false;
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
