#include "sensors/SystemFigures.h"

#include <windows.h>

#include <cstring>

#include "shared/win32/Handle.h"
#include "shared/win32/Library.h"

namespace {

// The records as the systems lay them out; the headers of the Windows 98
// era do not have them.
struct MemoryStatusEx {
  DWORD Length;
  DWORD MemoryLoad;
  DWORDLONG TotalPhys, AvailPhys, TotalPageFile, AvailPageFile, TotalVirtual, AvailVirtual,
      AvailExtendedVirtual;
};

struct PerformanceInformation {
  DWORD Size;
  SIZE_T CommitTotal, CommitLimit, CommitPeak, PhysicalTotal, PhysicalAvailable, SystemCache,
      KernelTotal, KernelPaged, KernelNonpaged, PageSize;
  DWORD HandleCount, ProcessCount, ThreadCount;
};

struct ThreadEntry {
  DWORD Size, Usage, ThreadId, OwnerProcessId;
  LONG BasePriority, DeltaPriority;
  DWORD Flags;
};

// NtQuerySystemInformation classes and records (stable since NT 4).
enum : ULONG {
  kPerformanceInformation = 2,
  kProcessInformation = 5,
  kProcessorPerformanceInformation = 8,
  kPageFileInformation = 18,
  kFileCacheInformation = 21,
};

struct ProcessorPerformance {
  LARGE_INTEGER Idle, Kernel, User, Dpc, Interrupt;
  ULONG InterruptCount;
};
static_assert(sizeof(ProcessorPerformance) == 48, "one processor's record");

struct PageFileInformation {
  ULONG NextEntryOffset, TotalPages, PagesInUse, PeakPages;
  USHORT NameLength, NameMaximumLength;
  void* Name;
};

struct FileCacheInformation {
  SIZE_T CurrentSize, PeakSize;
  ULONG PageFaultCount;
};

// The start of the system performance record: I/O totals first; the copy
// reads of the cache manager lie at fixed places further on.
constexpr size_t kIoReadTransferOffset = 8, kIoWriteTransferOffset = 16;
constexpr size_t kCopyReadNoWaitOffset = 244;  // then Wait, NoWaitMiss, WaitMiss
constexpr size_t kPerformanceRecordSize = 312;

typedef BOOL(WINAPI* GetSystemTimesProc)(FILETIME* idle, FILETIME* kernel, FILETIME* user);
typedef BOOL(WINAPI* GlobalMemoryStatusExProc)(MemoryStatusEx* status);
typedef BOOL(WINAPI* GetPerformanceInfoProc)(PerformanceInformation* info, DWORD size);
typedef HANDLE(WINAPI* CreateSnapshotProc)(DWORD flags, DWORD processId);
typedef BOOL(WINAPI* ThreadWalkProc)(HANDLE snapshot, ThreadEntry* entry);
typedef LONG(WINAPI* QuerySystemInformationProc)(ULONG what, void* buffer, ULONG size,
                                                 ULONG* written);

FARPROC Kernel32(const char* name) { return GetProcAddress(GetModuleHandleA("kernel32.dll"), name); }

// NtQuerySystemInformation into buffer; the bytes written, or 0 on failure.
ULONG QuerySystem(ULONG what, void* buffer, ULONG size) {
  HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  auto query = ntdll ? ProcAs<QuerySystemInformationProc>(
                           GetProcAddress(ntdll, "NtQuerySystemInformation"))
                     : nullptr;
  ULONG written = 0;
  if (!query || query(what, buffer, size, &written) < 0) return 0;
  return written <= size ? written : 0;
}

uint64_t Quad(const FILETIME& t) { return (uint64_t(t.dwHighDateTime) << 32) | t.dwLowDateTime; }

DWORD PageSize() {
  SYSTEM_INFO info{};
  GetSystemInfo(&info);
  return info.dwPageSize;
}

template <typename T>
T At(const unsigned char* record, size_t offset) {
  T value;
  std::memcpy(&value, record + offset, sizeof value);
  return value;
}

// The system performance record, or false when the system has none.
bool ReadPerformanceRecord(unsigned char (&record)[1024]) {
  return QuerySystem(kPerformanceInformation, record, sizeof record) >= kPerformanceRecordSize;
}

}  // namespace

bool ReadProcessorTimes(ProcessorTimes& times) {
  auto systemTimes = ProcAs<GetSystemTimesProc>(Kernel32("GetSystemTimes"));
  FILETIME idle{}, kernel{}, user{};
  if (systemTimes && systemTimes(&idle, &kernel, &user)) {
    times = ProcessorTimes{Quad(idle), Quad(kernel), Quad(user)};
    return true;
  }
  ProcessorPerformance each[64];
  const ULONG written = QuerySystem(kProcessorPerformanceInformation, each, sizeof each);
  if (written < sizeof each[0]) return false;
  ProcessorTimes sum;
  for (ULONG i = 0; i < written / sizeof each[0]; ++i) {
    sum.Idle += static_cast<uint64_t>(each[i].Idle.QuadPart);
    sum.Kernel += static_cast<uint64_t>(each[i].Kernel.QuadPart);
    sum.User += static_cast<uint64_t>(each[i].User.QuadPart);
  }
  times = sum;
  return true;
}

bool ReadMemoryStatusEx(MemoryReadings& r) {
  auto status = ProcAs<GlobalMemoryStatusExProc>(Kernel32("GlobalMemoryStatusEx"));
  MemoryStatusEx s{};
  s.Length = sizeof s;
  if (!status || !status(&s)) return false;
  r.AvailablePhysical = s.AvailPhys;
  r.Load = s.MemoryLoad;
  return true;
}

bool ReadSystemThreads(uint32_t& threads) {
  // The process records list every process with its thread count: one
  // question. The performance information asks the same records twice and
  // more besides, and the tool-help snapshot copies them; Wine reads every
  // thread's times from /proc for them whichever asks, so these records are
  // the cheapest source there (measured: the snapshot three to six times
  // their cost). On the stack, as the pass allocates nothing; a list that
  // does not fit is counted by the performance information.
  alignas(8) unsigned char records[32768];
  const ULONG written = QuerySystem(kProcessInformation, records, sizeof records);
  if (written >= 8) {
    uint32_t count = 0;
    for (ULONG at = 0; at + 8 <= written;) {
      count += At<ULONG>(records + at, 4);  // NextEntryOffset, then NumberOfThreads
      const ULONG next = At<ULONG>(records + at, 0);
      if (next == 0) break;
      at += next;
    }
    threads = count;
    return true;
  }
  auto performance = ProcAs<GetPerformanceInfoProc>(Kernel32("K32GetPerformanceInfo"));
  PerformanceInformation info{};
  if (performance && performance(&info, sizeof info)) {
    threads = info.ThreadCount;
    return true;
  }
  auto snapshot = ProcAs<CreateSnapshotProc>(Kernel32("CreateToolhelp32Snapshot"));
  auto first = ProcAs<ThreadWalkProc>(Kernel32("Thread32First"));
  auto next = ProcAs<ThreadWalkProc>(Kernel32("Thread32Next"));
  if (!snapshot || !first || !next) return false;
  constexpr DWORD kSnapThreads = 4;  // TH32CS_SNAPTHREAD
  Handle taken(snapshot(kSnapThreads, 0));
  if (!taken.Valid()) return false;
  ThreadEntry entry{};
  entry.Size = sizeof entry;
  uint32_t count = 0;
  for (BOOL more = first(taken.Get(), &entry); more; more = next(taken.Get(), &entry)) ++count;
  threads = count;
  return true;
}

bool ReadPageFiles(SwapFileReadings& r) {
  // Page files follow each other in one buffer, each with its name after it.
  alignas(8) unsigned char buffer[4096];
  const ULONG written = QuerySystem(kPageFileInformation, buffer, sizeof buffer);
  if (written == 0) return false;
  uint64_t total = 0, used = 0;
  for (ULONG at = 0; at + sizeof(PageFileInformation) <= written;) {
    const auto file = At<PageFileInformation>(buffer, at);
    total += file.TotalPages;
    used += file.PagesInUse;
    if (file.NextEntryOffset == 0) break;
    at += file.NextEntryOffset;
  }
  const uint64_t page = PageSize();
  r.Size = static_cast<int64_t>(total * page);
  r.Used = static_cast<int64_t>(used * page);
  return true;
}

bool ReadFileCache(DiskCacheReadings& r) {
  FileCacheInformation cache{};
  if (QuerySystem(kFileCacheInformation, &cache, sizeof cache) < sizeof(SIZE_T)) return false;
  r.Size = static_cast<int64_t>(cache.CurrentSize);
  unsigned char record[1024];
  if (ReadPerformanceRecord(record)) {
    const uint64_t reads = uint64_t(At<ULONG>(record, kCopyReadNoWaitOffset)) +
                           At<ULONG>(record, kCopyReadNoWaitOffset + 4);
    const uint64_t misses = uint64_t(At<ULONG>(record, kCopyReadNoWaitOffset + 8)) +
                            At<ULONG>(record, kCopyReadNoWaitOffset + 12);
    SetCacheCounts(r, reads >= misses ? reads - misses : 0, misses);
  }
  return true;
}

bool ReadIoTransfers(uint64_t& read, uint64_t& written) {
  unsigned char record[1024];
  if (!ReadPerformanceRecord(record)) return false;
  read = At<uint64_t>(record, kIoReadTransferOffset);
  written = At<uint64_t>(record, kIoWriteTransferOffset);
  return true;
}
