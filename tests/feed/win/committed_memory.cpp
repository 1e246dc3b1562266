#include "tests/feed/win/committed_memory.h"

#include <windows.h>

std::uint64_t CommittedPrivateBytes(HANDLE process) {
  std::uint64_t total = 0;
  MEMORY_BASIC_INFORMATION region;
  // Region by region up to the end of the address space, where VirtualQuery fails.
  for (const char* at = nullptr;
       VirtualQueryEx(process, at, &region, sizeof region) == sizeof region;
       at = static_cast<const char*>(region.BaseAddress) + region.RegionSize) {
    if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) total += region.RegionSize;
  }
  return total;
}
