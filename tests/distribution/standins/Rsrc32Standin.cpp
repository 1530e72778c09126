// Stands in for the resource meter's rsrc32.dll, which test systems lack:
// free system resources 85 %, GDI 90 %, user 80 %.
#include <windows.h>

extern "C" WORD WINAPI MyGetFreeSystemResources32(int kind) {
  switch (kind) {
    case 0: return 85;
    case 1: return 90;
    case 2: return 80;
  }
  return 0;
}
