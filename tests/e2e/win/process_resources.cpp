// Prints, as one line of JSON, what the process owning a window of the given class holds: its GDI
// and USER objects and its private memory, so that tests can see a leak from outside.
//   process_resources CLASS
// Wine's GetGuiResources is a stub giving 0, so each count also has a route of its own that works
// there; the output names the route each took. Wine's PrivateUsage is 0 too: private memory is the
// committed private regions, and, as a second view, the pagefile usage (touched pages under Wine).
#include <windows.h>
// After windows.h, which they need.
#include <psapi.h>
#include <tlhelp32.h>
#include <winternl.h>

#include <cstdint>
#include <cstdio>
#include <vector>

#include "base/win/unique_handle.h"
#include "tests/feed/win/committed_memory.h"

namespace {

// The 64-bit PEB's pointer to the process's GDI handle table.
constexpr std::size_t kPebGdiSharedHandleTable = 0xF8;
// A GDI handle's low 16 bits index the table.
constexpr std::size_t kGdiTableEntries = 0x10000;

struct GdiTableEntry {
  std::uint64_t object;
  std::uint16_t process_id;
  std::uint16_t count;
  std::uint16_t upper;  // the handle's high 16 bits
  std::uint16_t type;   // cleared when the object is deleted
  std::uint64_t user_pointer;
};
static_assert(sizeof(GdiTableEntry) == 24);

struct Count {
  long long value = -1;  // -1: no route gave a figure
  const char* route = "none";
};

// GetGuiResources where it is implemented: a process with a window never holds 0 objects.
bool FromGuiResources(HANDLE process, DWORD kind, Count& count) {
  const DWORD value = GetGuiResources(process, kind);
  if (value == 0) return false;
  count = {value, "GetGuiResources"};
  return true;
}

// Wine keeps a table for each process, holding only that process's objects.
Count GdiFromHandleTable(HANDLE process) {
  PROCESS_BASIC_INFORMATION basic = {};
  ULONG size = 0;
  if (NtQueryInformationProcess(process, ProcessBasicInformation, &basic, sizeof basic, &size) < 0)
    return {};
  std::uintptr_t table = 0;
  const auto* field =
      static_cast<const char*>(static_cast<void*>(basic.PebBaseAddress)) + kPebGdiSharedHandleTable;
  if (!ReadProcessMemory(process, field, &table, sizeof table, nullptr) || !table) return {};
  std::vector<GdiTableEntry> entries(kGdiTableEntries);
  if (!ReadProcessMemory(process, reinterpret_cast<const void*>(table), entries.data(),
                         entries.size() * sizeof(GdiTableEntry), nullptr))
    return {};
  long long used = 0;
  for (const GdiTableEntry& entry : entries) used += entry.type != 0;
  return {used, "handle table"};
}

struct WindowCount {
  DWORD process_id;
  long long windows = 0;
};

BOOL CALLBACK CountWindow(HWND window, LPARAM param) {
  auto& count = *reinterpret_cast<WindowCount*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  count.windows += owner == count.process_id;
  return TRUE;
}

void CountTree(HWND top, WindowCount& count) {
  CountWindow(top, reinterpret_cast<LPARAM>(&count));
  EnumChildWindows(top, CountWindow, reinterpret_cast<LPARAM>(&count));
}

// Windows are the USER objects another process can enumerate: top-level ones, message-only ones
// (COM's and the clipboard's live there) and every child of both.
Count UserFromWindows(DWORD process_id) {
  WindowCount count = {process_id};
  for (const HWND parent : {static_cast<HWND>(nullptr), HWND_MESSAGE}) {
    for (HWND top = FindWindowExW(parent, nullptr, nullptr, nullptr); top;
         top = FindWindowExW(parent, top, nullptr, nullptr))
      CountTree(top, count);
  }
  return {count.windows, "windows"};
}

long long Threads(DWORD process_id) {
  const UniqueFile snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
  if (!snapshot) return -1;
  THREADENTRY32 thread = {};
  thread.dwSize = sizeof thread;
  long long count = 0;
  for (BOOL more = Thread32First(snapshot.get(), &thread); more;
       more = Thread32Next(snapshot.get(), &thread))
    count += thread.th32OwnerProcessID == process_id;
  return count;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) return 2;
  const HWND window = FindWindowW(argv[1], nullptr);
  DWORD process_id = 0;
  if (!window || !GetWindowThreadProcessId(window, &process_id)) return 1;
  const UniqueKernelHandle process(
      OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, process_id));
  if (!process) return 1;

  Count gdi, user;
  if (!FromGuiResources(process.get(), GR_GDIOBJECTS, gdi)) gdi = GdiFromHandleTable(process.get());
  if (!FromGuiResources(process.get(), GR_USEROBJECTS, user)) user = UserFromWindows(process_id);
  PROCESS_MEMORY_COUNTERS memory = {};
  if (!GetProcessMemoryInfo(process.get(), &memory, sizeof memory)) return 1;
  std::printf(
      "{\"pid\": %lu, \"gdi\": %lld, \"gdi_route\": \"%s\", \"user\": %lld, "
      "\"user_route\": \"%s\", \"threads\": %lld, \"pagefile_usage\": %llu, "
      "\"committed_private\": %llu}\n",
      static_cast<unsigned long>(process_id), gdi.value, gdi.route, user.value, user.route,
      Threads(process_id), static_cast<unsigned long long>(memory.PagefileUsage),
      static_cast<unsigned long long>(CommittedPrivateBytes(process.get())));
  return gdi.value < 0 || user.value < 0 ? 1 : 0;
}
