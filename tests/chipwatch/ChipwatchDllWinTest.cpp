// The shipped Chipwatch.dll under Wine: its export ABI, its scale factors in
// the real registry, and its behaviour without the chip's driver.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "tests/chipwatch/StackProbe.h"
#include "tests/support/WinTest.h"

using namespace wintest;

namespace {

const char kFactorKey[] = "SOFTWARE\\Veltrop\\Chipwatch";

using InitialiseFn = BOOLEAN(WINAPI*)();
using IntReadingFn = LONG(WINAPI*)(LONG);
using DoubleReadingFn = double(WINAPI*)(LONG);
using SetFactorFn = BOOLEAN(WINAPI*)(LONG, double);


// A fresh instance of the library for each test (its factor table and
// presence flag live as long as it is loaded).
class ChipwatchDll : public ::testing::Test {
 protected:
  void SetUp() override {
    DeleteTree(HKEY_LOCAL_MACHINE, kFactorKey);
    lib = LoadLibraryA((BinDir() + "Chipwatch.dll").c_str());
    ASSERT_NE(lib, nullptr) << "cannot load " << BinDir() << "Chipwatch.dll";
    Initialise = Export<InitialiseFn>("InitialiseLM78");
    GetTemperature = Export<IntReadingFn>("GetTemperature");
    GetVoltage = Export<DoubleReadingFn>("GetVoltage");
    GetFan = Export<IntReadingFn>("GetFan");
    GetUnknown = Export<IntReadingFn>("GetUnknown");
    GetFudgeFactor = Export<DoubleReadingFn>("GetFudgeFactor");
    SetFudgeFactor = Export<SetFactorFn>("SetFudgeFactor");
  }
  void TearDown() override {
    if (lib) FreeLibrary(lib);
    DeleteTree(HKEY_LOCAL_MACHINE, kFactorKey);
  }
  template <typename Fn>
  Fn Export(const char* name) {
    FARPROC p = GetProcAddress(lib, name);
    EXPECT_NE(p, nullptr) << name;
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(p));
  }
  std::string Stored(int index) {
    return GetString(HKEY_LOCAL_MACHINE, kFactorKey, "Fudge " + std::to_string(index));
  }
  void Store(int index, const std::string& text) {
    SetString(HKEY_LOCAL_MACHINE, kFactorKey, "Fudge " + std::to_string(index), text,
              REG_EXPAND_SZ);
  }

  HMODULE lib = nullptr;
  InitialiseFn Initialise = nullptr;
  IntReadingFn GetTemperature = nullptr;
  DoubleReadingFn GetVoltage = nullptr;
  IntReadingFn GetFan = nullptr;
  IntReadingFn GetUnknown = nullptr;
  DoubleReadingFn GetFudgeFactor = nullptr;
  SetFactorFn SetFudgeFactor = nullptr;
};

TEST_F(ChipwatchDll, EveryExportRemovesItsOwnArguments) {
  const uint32_t one[] = {3};
  EXPECT_EQ(StackBytesLeft(reinterpret_cast<void*>(Initialise), nullptr, 0, 0), 0u);
  EXPECT_EQ(StackBytesLeft(reinterpret_cast<void*>(GetTemperature), one, 1, 0), 0u);
  EXPECT_EQ(StackBytesLeft(reinterpret_cast<void*>(GetVoltage), one, 1, 1), 0u);
  EXPECT_EQ(StackBytesLeft(reinterpret_cast<void*>(GetFan), one, 1, 0), 0u);
  EXPECT_EQ(StackBytesLeft(reinterpret_cast<void*>(GetUnknown), one, 1, 0), 0u);
  EXPECT_EQ(StackBytesLeft(reinterpret_cast<void*>(GetFudgeFactor), one, 1, 1), 0u);
  double factor = 0.02;
  uint32_t three[3] = {3, 0, 0};
  memcpy(&three[1], &factor, sizeof factor);
  EXPECT_EQ(StackBytesLeft(reinterpret_cast<void*>(SetFudgeFactor), three, 3, 0), 0u);
  // ... and took the double from the stack where a caller puts it.
  EXPECT_DOUBLE_EQ(GetFudgeFactor(3), 0.02);
  EXPECT_EQ(Stored(3), "200");
}

TEST_F(ChipwatchDll, FirstVoltageCreatesTheKeyWithAllSevenFactors) {
  EXPECT_EQ(GetVoltage(1), 0.0);
  const char* expected[] = {"160", "160", "160", "268", "610", "-555", "-240"};
  HKEY key;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kFactorKey, 0, KEY_READ, &key), ERROR_SUCCESS);
  DWORD values = 0;
  RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr,
                   nullptr, nullptr, nullptr);
  EXPECT_EQ(values, 7u);
  for (int i = 1; i <= 7; ++i) {
    char data[32] = {};
    DWORD size = sizeof data;
    DWORD type = 0;
    std::string name = "Fudge " + std::to_string(i);
    ASSERT_EQ(RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data),
                               &size),
              ERROR_SUCCESS)
        << name;
    EXPECT_EQ(type, static_cast<DWORD>(REG_EXPAND_SZ)) << name;
    EXPECT_EQ(std::string(data), expected[i - 1]) << name;
    EXPECT_EQ(size, strlen(expected[i - 1]) + 1) << name << ": the terminating NUL is stored";
  }
  RegCloseKey(key);
}

TEST_F(ChipwatchDll, UnusableStoredTextsKeepTheFactor) {
  ASSERT_TRUE(SetFudgeFactor(3, 0.02));  // the factor in use before each case
  Store(3, "0");
  EXPECT_DOUBLE_EQ(GetFudgeFactor(3), 0.02);
  Store(3, "abc");
  EXPECT_DOUBLE_EQ(GetFudgeFactor(3), 0.02);
  DeleteValue(HKEY_LOCAL_MACHINE, kFactorKey, "Fudge 3");
  EXPECT_DOUBLE_EQ(GetFudgeFactor(3), 0.02);
  Store(3, "12345678901");  // longer than the text buffer: cannot be read
  EXPECT_DOUBLE_EQ(GetFudgeFactor(3), 0.02);
  Store(3, "-555");
  EXPECT_DOUBLE_EQ(GetFudgeFactor(3), -0.0555);
  Store(3, " 250 V");
  EXPECT_DOUBLE_EQ(GetFudgeFactor(3), 0.025);
  Store(3, "123456789");  // nine digits and the NUL fill the buffer exactly
  EXPECT_DOUBLE_EQ(GetFudgeFactor(3), 12345.6789);
  // Written by another program, seen by the next voltage reading too.
  Store(1, "300");
  GetVoltage(2);
  EXPECT_DOUBLE_EQ(GetFudgeFactor(1), 0.03);
}

TEST_F(ChipwatchDll, FactorIsStoredTruncatedAndReadsBackAsStored) {
  EXPECT_TRUE(SetFudgeFactor(2, 0.0163));
  EXPECT_EQ(Stored(2), "162");
  EXPECT_DOUBLE_EQ(GetFudgeFactor(2), 0.0162);
  EXPECT_EQ(Stored(5), "610");
  EXPECT_EQ(GetFudgeFactor(0), 0.0);
}

TEST_F(ChipwatchDll, SetFudgeFactorOutsideOneToSevenWritesNothing) {
  EXPECT_FALSE(SetFudgeFactor(0, 0.5));
  EXPECT_FALSE(SetFudgeFactor(8, 0.5));
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kFactorKey));
  Store(1, "170");
  EXPECT_FALSE(SetFudgeFactor(-1, 0.5));
  EXPECT_EQ(Stored(1), "170");
  EXPECT_EQ(Stored(2), "<missing>");
}

TEST_F(ChipwatchDll, WithoutDriverEveryReadingGivesItsNoDriverValue) {
  EXPECT_FALSE(Initialise());
  for (int channel = 0; channel <= 5; ++channel) EXPECT_EQ(GetTemperature(channel), 0) << channel;
  for (int channel = 0; channel <= 8; ++channel) EXPECT_EQ(GetVoltage(channel), 0.0) << channel;
  for (int fan = 0; fan <= 4; ++fan) EXPECT_EQ(GetFan(fan), 0) << fan;
  EXPECT_EQ(GetUnknown(0x40), 65535);
  EXPECT_EQ(GetUnknown(-1), 65535);
  EXPECT_FALSE(Initialise());
}

}  // namespace
