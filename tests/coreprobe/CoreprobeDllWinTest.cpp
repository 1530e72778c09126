// The shipped Coreprobe.dll under Wine against what the host's kernel says
// about the processor (/proc/cpuinfo, reached as Z:\proc\cpuinfo).
//
// The nominal clock the speed is compared with is, in this order: the
// "@ 2.40GHz" of the model name; the base frequency the kernel's cpufreq
// driver reports (Z:\sys\devices\system\cpu\cpu0\cpufreq\base_frequency, kHz);
// on a virtual machine (the "hypervisor" flag) the "cpu MHz" line, which is
// then the time-stamp counter's rate set by the hypervisor. A host that offers
// none of these skips the speed comparison.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <map>
#include <sstream>
#include <string>

#include "tests/chipwatch/StackProbe.h"
#include "tests/support/WinTest.h"

namespace {

std::string ReadHostFile(const char* path) {
  HANDLE f = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return std::string();
  std::string text;
  char chunk[4096];
  DWORD got = 0;
  while (ReadFile(f, chunk, sizeof chunk, &got, nullptr) && got > 0) text.append(chunk, got);
  CloseHandle(f);
  return text;
}

std::string Trim(const std::string& s) {
  size_t b = s.find_first_not_of(" \t");
  size_t e = s.find_last_not_of(" \t\r");
  return b == std::string::npos ? std::string() : s.substr(b, e - b + 1);
}

// The fields of the first processor in /proc/cpuinfo.
std::map<std::string, std::string> HostProcessor() {
  std::map<std::string, std::string> fields;
  std::istringstream in(ReadHostFile("Z:\\proc\\cpuinfo"));
  std::string line;
  while (std::getline(in, line)) {
    if (Trim(line).empty()) break;
    size_t colon = line.find(':');
    if (colon != std::string::npos) fields[Trim(line.substr(0, colon))] = Trim(line.substr(colon + 1));
  }
  return fields;
}

bool HasFlag(const std::string& flags, const std::string& flag) {
  return (" " + flags + " ").find(" " + flag + " ") != std::string::npos;
}

// The host's nominal clock in MHz, and where it came from; 0 when unknown.
double NominalMHz(const std::map<std::string, std::string>& host, std::string& source) {
  auto name = host.find("model name");
  if (name != host.end()) {
    const std::string& text = name->second;
    size_t at = text.find('@');
    if (at != std::string::npos) {
      double value = std::atof(text.c_str() + at + 1);
      if (text.find("GHz", at) != std::string::npos) value *= 1000.0;
      if (value > 0) {
        source = "model name";
        return value;
      }
    }
  }
  std::string base =
      ReadHostFile("Z:\\sys\\devices\\system\\cpu\\cpu0\\cpufreq\\base_frequency");
  if (std::atof(base.c_str()) > 0) {
    source = "cpufreq base_frequency";
    return std::atof(base.c_str()) / 1000.0;
  }
  auto flags = host.find("flags");
  auto mhz = host.find("cpu MHz");
  if (flags != host.end() && HasFlag(flags->second, "hypervisor") && mhz != host.end()) {
    source = "cpu MHz of a virtual machine";
    return std::atof(mhz->second.c_str());
  }
  return 0.0;
}

class CoreprobeDll : public ::testing::Test {
 protected:
  void SetUp() override {
    lib = LoadLibraryA((wintest::BinDir() + "Coreprobe.dll").c_str());
    ASSERT_NE(lib, nullptr) << "cannot load " << wintest::BinDir() << "Coreprobe.dll";
    host = HostProcessor();
    ASSERT_FALSE(host.empty()) << "Z:\\proc\\cpuinfo cannot be read";
  }
  void TearDown() override {
    if (lib) FreeLibrary(lib);
  }
  template <typename Fn>
  Fn Export(const char* name) {
    FARPROC p = GetProcAddress(lib, name);
    EXPECT_NE(p, nullptr) << name;
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(p));
  }

  HMODULE lib = nullptr;
  std::map<std::string, std::string> host;
};

TEST_F(CoreprobeDll, ReportsTheHostProcessor) {
  auto vendorId = Export<void(WINAPI*)(char*)>("GetCPUInfoVendorID");
  auto family = Export<LONG(WINAPI*)()>("GetCPUInfoFamily");
  auto model = Export<LONG(WINAPI*)()>("GetCPUInfoModel");
  auto mmx = Export<BOOLEAN(WINAPI*)()>("GetMMX");
  auto overdrive = Export<BOOLEAN(WINAPI*)()>("GetOverdrive");
  ASSERT_TRUE(vendorId && family && model && mmx && overdrive);

  char buffer[80];
  std::memset(buffer, 'x', sizeof buffer);
  vendorId(buffer);
  EXPECT_EQ(std::string(buffer), host["vendor_id"]);
  EXPECT_EQ(buffer[79], 'x') << "wrote beyond the text";
  EXPECT_EQ(family(), std::atol(host["cpu family"].c_str()));
  EXPECT_EQ(model(), std::atol(host["model"].c_str()));
  EXPECT_EQ(mmx() != 0, HasFlag(host["flags"], "mmx"));
  EXPECT_EQ(overdrive(), 0) << "no processor since the Pentium II era is an OverDrive";
}

TEST_F(CoreprobeDll, SpeedIsWithinAFifthOfTheNominalClock) {
  auto speed = Export<LONG(WINAPI*)()>("GetSpeed");
  ASSERT_NE(speed, nullptr);
  std::string source;
  double nominal = NominalMHz(host, source);
  if (nominal <= 0) GTEST_SKIP() << "the host reports no nominal clock";
  LONG mhz = speed();
  EXPECT_GT(mhz, nominal * 0.8) << "nominal " << nominal << " MHz from " << source;
  EXPECT_LT(mhz, nominal * 1.2) << "nominal " << nominal << " MHz from " << source;
}

TEST_F(CoreprobeDll, EveryExportRemovesItsOwnArguments) {
  char buffer[80];
  uint32_t arg = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(buffer));
  EXPECT_EQ(StackBytesLeft(reinterpret_cast<void*>(Export<FARPROC>("GetCPUInfoVendorID")), &arg, 1, 0), 0u);
  for (const char* name : {"GetCPUInfoFamily", "GetCPUInfoModel", "GetMMX", "GetOverdrive", "GetSpeed"})
    EXPECT_EQ(StackBytesLeft(reinterpret_cast<void*>(Export<FARPROC>(name)), nullptr, 0, 0), 0u) << name;
}

}  // namespace
