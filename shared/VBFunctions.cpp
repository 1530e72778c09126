#include "shared/VBFunctions.h"

#include <windows.h>

#include "shared/core/CvlError.h"
#include "shared/win32/RegKey.h"

namespace {

std::string KeyPath(const std::string& app, const std::string& section) {
  return "Software\\Veltrop\\" + app + "\\" + section;
}

bool OpenToRead(RegKey& k, const std::string& app, const std::string& section) {
  return k.Open(HKEY_LOCAL_MACHINE, KeyPath(app, section), KEY_QUERY_VALUE);
}

bool CreateToWrite(RegKey& k, const std::string& app, const std::string& section) {
  return k.Create(HKEY_LOCAL_MACHINE, KeyPath(app, section), KEY_SET_VALUE);
}

std::string Read(const RegKey& k, const std::string& key, const std::string& def) {
  std::string text;
  if (!k || !k.QueryString(key.c_str(), text) || text.empty()) return def;
  return text;
}

void Write(const RegKey& k, const std::string& key, const std::string& value) {
  if (!k) return;
  if (k.SetString(key.c_str(), value) != ERROR_SUCCESS)
    throw CvlError("Failed to set data for '" + key + "'");
}

}  // namespace

std::string GetSetting(const std::string& app, const std::string& section, const std::string& key,
                       const std::string& def) {
  RegKey k;
  OpenToRead(k, app, section);
  return Read(k, key, def);
}

void SaveSetting(const std::string& app, const std::string& section, const std::string& key,
                 const std::string& value) {
  RegKey k;
  CreateToWrite(k, app, section);
  Write(k, key, value);
}

bool SectionSettings::OpenBoth() {
  if (!bothTried_) {
    both_.Open(HKEY_LOCAL_MACHINE, KeyPath(app_, section_), KEY_QUERY_VALUE | KEY_SET_VALUE);
    bothTried_ = true;
  }
  return static_cast<bool>(both_);
}

const RegKey& SectionSettings::ForReading() {
  if (OpenBoth()) return both_;
  if (!readTried_) {
    OpenToRead(read_, app_, section_);  // missing: every read gives its default
    readTried_ = true;
  }
  return read_;
}

const RegKey& SectionSettings::ForWriting() {
  if (OpenBoth()) return both_;
  if (!writeTried_) {
    writeTried_ = true;
    // A missing key is created for the reads that follow too.
    if (both_.Create(HKEY_LOCAL_MACHINE, KeyPath(app_, section_), KEY_QUERY_VALUE | KEY_SET_VALUE))
      return both_;
    CreateToWrite(write_, app_, section_);  // failed: every write is silent
  }
  return write_;
}

std::string* SectionSettings::Known(const std::string& key) {
  for (auto& kv : known_)
    if (kv.first == key) return &kv.second;
  return nullptr;
}

std::string SectionSettings::GetSetting(const std::string& app, const std::string& section,
                                        const std::string& key, const std::string& def) {
  if (!Mine(app, section)) return ::GetSetting(app, section, key, def);
  const RegKey& k = ForReading();
  std::string text;
  if (!k || !k.QueryString(key.c_str(), text) || text.empty()) return def;
  if (std::string* known = Known(key))
    *known = text;
  else
    known_.emplace_back(key, text);
  return text;
}

void SectionSettings::SaveSetting(const std::string& app, const std::string& section,
                                  const std::string& key, const std::string& value) {
  if (!Mine(app, section)) return ::SaveSetting(app, section, key, value);
  // The value this run read or wrote already stands there: writing it again
  // would change nothing but cost a request.
  std::string* known = Known(key);
  if (known && *known == value) return;
  Write(ForWriting(), key, value);
  if (known)
    *known = value;
  else
    known_.emplace_back(key, value);
}
