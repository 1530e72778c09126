#pragma once
// An owned registry key: closed when the object goes.
#include <windows.h>

#include <string>

class RegKey {
 public:
  RegKey() = default;
  ~RegKey() { Close(); }
  RegKey(const RegKey&) = delete;
  RegKey& operator=(const RegKey&) = delete;
  RegKey(RegKey&& other) noexcept : key_(other.key_) { other.key_ = nullptr; }

  // Opens an existing key; never creates one.
  bool Open(HKEY root, const std::string& path, REGSAM access = KEY_READ) {
    Close();
    return RegOpenKeyExA(root, path.c_str(), 0, access, &key_) == ERROR_SUCCESS;
  }
  // Opens the key, creating it and any missing parents.
  bool Create(HKEY root, const std::string& path, REGSAM access = KEY_ALL_ACCESS) {
    Close();
    return RegCreateKeyExA(root, path.c_str(), 0, const_cast<char*>(""), REG_OPTION_NON_VOLATILE,
                           access, nullptr, &key_, nullptr) == ERROR_SUCCESS;
  }
  void Close() {
    if (key_) RegCloseKey(key_);
    key_ = nullptr;
  }
  HKEY Get() const { return key_; }
  explicit operator bool() const { return key_ != nullptr; }

  // A REG_SZ or REG_EXPAND_SZ value, unexpanded, up to its first NUL.
  // False for a missing value, another data type or a read error.
  bool QueryString(const char* name, std::string& out) const;
  bool QueryDword(const char* name, DWORD& out) const;
  LONG SetString(const char* name, const std::string& value, DWORD type = REG_SZ) const {
    return RegSetValueExA(key_, name, 0, type, reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>(value.size() + 1));
  }

 private:
  HKEY key_ = nullptr;
};
