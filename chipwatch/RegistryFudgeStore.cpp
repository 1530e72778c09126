#include "chipwatch/RegistryFudgeStore.h"

#include <windows.h>

#include "shared/win32/RegKey.h"

void RegistryFudgeStore::Load(FudgeFactors& factors) {
  RegKey key;
  // Reading needs no more than read access (an NT user without rights to
  // change the key still gets the stored factors).
  if (!key.Open(HKEY_LOCAL_MACHINE, kFudgeFactorKey, KEY_READ)) {
    Save(factors);
    return;
  }
  for (int index = 1; index <= kFudgeFactorCount; ++index) {
    char text[kFudgeTextCapacity];
    DWORD size = sizeof text;
    DWORD type = 0;
    if (RegQueryValueExA(key.Get(), FudgeValueName(index).c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(text), &size) != ERROR_SUCCESS)
      continue;
    FactorFromText(text, size, factors.value[index]);
  }
}

void RegistryFudgeStore::Save(const FudgeFactors& factors) {
  RegKey key;
  if (!key.Create(HKEY_LOCAL_MACHINE, kFudgeFactorKey, KEY_ALL_ACCESS)) return;
  for (int index = 1; index <= kFudgeFactorCount; ++index)
    key.SetString(FudgeValueName(index).c_str(), FactorToText(factors.value[index]),
                  REG_EXPAND_SZ);
}
