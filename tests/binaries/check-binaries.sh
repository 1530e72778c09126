#!/usr/bin/env bash
# Checks over the shipped binaries in $CVL_BIN (and the plug-in kit's checker
# in its SDK folder):
#  - every .exe/.dll imports only Windows system libraries and msvcrt.dll,
#    and none of the functions that Windows 98 lacks (deny-list below);
#  - no Unicode ("...W") function beyond the few Windows 95/98 implement;
#  - no static thread-local storage (.tls section, TLS directory);
#  - the runtime's locks create their semaphores with CreateSemaphoreA;
#  - Screenspan.dll exports MonitorRectByWindow undecorated;
#  - Main.exe stays under 300 KB.
set -u
bin=${CVL_BIN:?CVL_BIN must name the folder of the shipped binaries}
objdump=i686-w64-mingw32-objdump
fail=0
complain() { echo "FAIL: $*"; fail=1; }

# The libraries a Windows 98 machine has in its system folder, then those
# installed beside the program and the resource meter's rsrc32.dll, which
# Resource.cvl binds at load time.
allowed_dlls="kernel32.dll user32.dll gdi32.dll advapi32.dll shell32.dll comctl32.dll
comdlg32.dll msvcrt.dll winmm.dll version.dll ole32.dll oleaut32.dll
cvl.dll chipwatch.dll coreprobe.dll rsrc32.dll"

# Functions Windows 98 does not export (or only newer systems have). The
# posix thread model of the compiler pulls in the first group through
# winpthread; the rest are the newer synchronisation, file and module calls
# a runtime or careless code might reach for; the last group are runtime
# functions that the msvcrt.dll of Windows 98 does not have yet.
deny="AddVectoredExceptionHandler RemoveVectoredExceptionHandler
AddVectoredContinueHandler RemoveVectoredContinueHandler
GetTickCount64 TryEnterCriticalSection GetHandleInformation SetHandleInformation
InitializeCriticalSectionEx InitializeConditionVariable SleepConditionVariableCS
SleepConditionVariableSRW WakeConditionVariable WakeAllConditionVariable
InitializeSRWLock AcquireSRWLockExclusive AcquireSRWLockShared ReleaseSRWLockExclusive
ReleaseSRWLockShared TryAcquireSRWLockExclusive TryAcquireSRWLockShared
InitOnceExecuteOnce InitOnceBeginInitialize InitOnceComplete
FlsAlloc FlsFree FlsGetValue FlsSetValue
GetModuleHandleExA GetModuleHandleExW SetFilePointerEx GetFileSizeEx
GetSystemTimePreciseAsFileTime GetCurrentProcessorNumber GetNativeSystemInfo
QueueUserWorkItem CreateTimerQueueTimer DeleteTimerQueueTimer
SwitchToThread GetThreadId GetProcessId SetThreadStackGuarantee
CreateEventExA CreateEventExW CreateMutexExA CreateMutexExW CreateSemaphoreExW
WaitOnAddress WakeByAddressSingle WakeByAddressAll
GetLogicalProcessorInformation IsWow64Process
MonitorFromWindow MonitorFromPoint MonitorFromRect GetMonitorInfoA GetMonitorInfoW
EnumDisplayMonitors GetLayeredWindowAttributes SetLayeredWindowAttributes
___lc_codepage_func ___mb_cur_max_func __iob_func _get_output_format _set_output_format
_set_invalid_parameter_handler _aligned_malloc _aligned_free _fseeki64 _ftelli64"

# The Unicode functions Windows 95/98 implement. They export almost every
# other "...W" function of kernel32, user32 and gdi32 too, but those fail
# with ERROR_CALL_NOT_IMPLEMENTED (Wine implements them all, so only the
# import tables can tell). The C++ runtime's CreateSemaphoreW and the C
# runtime's GetModuleHandleW and LoadLibraryW are answered by ANSI
# replacements linked into every binary (shared/win32/AnsiImports.cpp).
unicode_allowed="lstrlenW MessageBoxW MessageBoxExW TextOutW ExtTextOutW
GetTextExtentPoint32W GetTextExtentPointW GetTextExtentExPointW GetCharWidthW
FindResourceW FindResourceExW EnumResourceNamesW EnumResourceTypesW
EnumResourceLanguagesW GetCommandLineW"

shopt -s nullglob nocaseglob
files=("$bin"/*.exe "$bin"/*.dll "$bin"/*.cvl "$bin"/SDK/*.exe)
[ ${#files[@]} -gt 0 ] || complain "no binaries in $bin"
[ -f "$bin/SDK/CvlCheck.exe" ] || complain "the plug-in kit's SDK/CvlCheck.exe is missing"
for f in "${files[@]}"; do
  name=$(basename "$f")
  dump=$($objdump -p "$f") || { complain "$name: objdump failed"; continue; }
  for dll in $(echo "$dump" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'A-Z' 'a-z'); do
    case " $(echo $allowed_dlls) " in
      *" $dll "*) ;;
      *) complain "$name imports $dll" ;;
    esac
  done
  # Imported names: the hint/name rows of the import tables.
  imports=$(echo "$dump" | awk '/^[ \t]*DLL Name:/{on=1; next} on && NF == 3 && $1 ~ /^[0-9a-f]+$/ && $2 ~ /^[0-9]+$/ {print $3}')
  for fn in $deny; do
    if echo "$imports" | grep -qx "$fn"; then complain "$name imports $fn, which Windows 98 lacks"; fi
  done
  for fn in $(echo "$imports" | grep -E '[a-z0-9]W$'); do
    case " $(echo $unicode_allowed) " in
      *" $fn "*) ;;
      *) complain "$name imports $fn, which Windows 95/98 do not implement" ;;
    esac
  done
  # A library that Windows 9x loads with LoadLibrary gets no static TLS.
  $objdump -h "$f" | grep -qE '[[:space:]]\.tls' && complain "$name has a .tls section"
  tls_dir=$(echo "$dump" | sed -n 's/^Entry 9 \([0-9a-f]*\) \([0-9a-f]*\) Thread Storage Directory.*/\1\2/p')
  [ -z "$tls_dir" ] || [ "$tls_dir" = 0000000000000000 ] || complain "$name has a TLS directory"
  if echo "$imports" | grep -qx ReleaseSemaphore && ! echo "$imports" | grep -qx CreateSemaphoreA; then
    complain "$name uses semaphores but does not create them with CreateSemaphoreA"
  fi
  echo "$name: $(echo "$imports" | wc -l) imports checked"
done

# Monitor functions are only looked up at run time; nothing imports them.
span="$bin/Screenspan.dll"
if [ -f "$span" ]; then
  exports=$($objdump -p "$span" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' | sed -n 's/^[[:space:]]*\[[[:space:]]*[0-9]*\][[:space:]]*//p')
  echo "$exports" | grep -qx "MonitorRectByWindow" || complain "Screenspan.dll does not export MonitorRectByWindow undecorated (exports: $exports)"
  echo "$exports" | grep -q "@" && complain "Screenspan.dll exports decorated names: $exports"
else
  complain "Screenspan.dll is missing"
fi

main="$bin/Main.exe"
if [ -f "$main" ]; then
  size=$(stat -c %s "$main")
  [ "$size" -lt $((300 * 1024)) ] || complain "Main.exe is $size bytes, not under 300 KB"
  echo "Main.exe: $size bytes"
else
  complain "Main.exe is missing"
fi

[ $fail -eq 0 ] && echo "binaries OK"
exit $fail
