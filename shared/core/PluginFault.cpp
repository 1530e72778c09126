#include "shared/core/PluginFault.h"

std::string FaultText(unsigned long code) {
  const char* name = "processor exception";
  switch (code) {
    case 0xC0000005UL: name = "access violation"; break;
    case 0xC0000094UL: name = "integer divide by zero"; break;
    case 0xC0000095UL: name = "integer overflow"; break;
    case 0xC000001DUL: name = "illegal instruction"; break;
    case 0xC0000096UL: name = "privileged instruction"; break;
    case 0xC00000FDUL: name = "stack overflow"; break;
    case 0x80000003UL: name = "breakpoint"; break;
    case 0xC000008EUL: name = "floating point divide by zero"; break;
    case 0xC0000090UL: name = "invalid floating point operation"; break;
  }
  std::string text = "Exception ";
  for (int shift = 28; shift >= 0; shift -= 4)
    text += "0123456789ABCDEF"[(code >> shift) & 0xF];
  return text + " (" + name + ")";
}
