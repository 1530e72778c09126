#include "chipwatch/PortAccess.h"

#include <windows.h>

#include <excpt.h>

// The guarded port read, in assembly because it registers its own structured
// exception frame (fs:0 chain, understood by every Win32 system from Windows
// 95 on): cvl_guarded_inb(port) answers 0-255, or 0xFFFFFFFF when the `in`
// instruction faulted; the handler then resumes after that instruction.
extern "C" uint32_t cvl_guarded_inb(uint32_t port);
extern "C" char cvl_guarded_inb_instruction[];
extern "C" EXCEPTION_DISPOSITION cvl_guarded_inb_handler(EXCEPTION_RECORD* record, void*,
                                                           CONTEXT* context, void*);

asm(R"(
    .text
    .globl _cvl_guarded_inb
    .globl _cvl_guarded_inb_instruction
_cvl_guarded_inb:
    pushl %ebp
    movl %esp, %ebp
    pushl $_cvl_guarded_inb_handler
    pushl %fs:0
    movl %esp, %fs:0
    movl 8(%ebp), %edx
    xorl %eax, %eax
_cvl_guarded_inb_instruction:
    inb %dx, %al
    movl (%esp), %ecx
    movl %ecx, %fs:0
    movl %ebp, %esp
    popl %ebp
    ret
)");

extern "C" EXCEPTION_DISPOSITION cvl_guarded_inb_handler(EXCEPTION_RECORD* record, void*,
                                                           CONTEXT* context, void*) {
  if (record->ExceptionFlags & (EXCEPTION_UNWINDING | EXCEPTION_EXIT_UNWIND))
    return ExceptionContinueSearch;
  if (record->ExceptionAddress != static_cast<void*>(cvl_guarded_inb_instruction))
    return ExceptionContinueSearch;
  context->Eip = reinterpret_cast<DWORD>(cvl_guarded_inb_instruction) + 1;  // `inb %dx,%al` is one byte
  context->Eax = 0xFFFFFFFF;
  return ExceptionContinueExecution;
}

bool PortAccessAllowed() {
  OSVERSIONINFOA version;
  version.dwOSVersionInfoSize = sizeof version;
  if (!GetVersionExA(&version)) return false;
  return version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS;
}

bool ReadIoPort(uint16_t port, uint8_t& value) {
  return PortAccessAllowed() && ReadIoPortGuarded(port, value);
}

bool ReadIoPortGuarded(uint16_t port, uint8_t& value) {
  uint32_t result = cvl_guarded_inb(port);
  if (result > 0xFF) return false;
  value = static_cast<uint8_t>(result);
  return true;
}
