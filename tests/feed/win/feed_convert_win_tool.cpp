// Converts one feed file with the import run's own step, for scripts/bench-convert-wine:
//   feed_convert_win FOLDER NAME
// The feed file FOLDER\NAME makes way for its copy, as in an import. Prints the text's length,
// the seconds the step took, the private memory committed before it and while the tab text is
// alive (the peak: the step's other buffers are small and gone by then), and the process
// counters' PagefileUsage and PeakPagefileUsage, all in bytes.
#include <windows.h>
// After windows.h, whose types it uses.
#include <psapi.h>

#include <chrono>
#include <cstdio>

#include "base/error.h"
#include "base/win/wide.h"
#include "feed/win/feed_conversion.h"
#include "tests/feed/win/committed_memory.h"

int wmain(int argc, wchar_t** argv) {
  if (argc != 3) {
    std::fputs("usage: feed_convert_win FOLDER NAME\n", stderr);
    return 2;
  }
  try {
    const std::uint64_t before = CommittedPrivateBytes();
    const auto start = std::chrono::steady_clock::now();
    const std::u16string tab_text =
        ConvertFeedFile(FromWide(argv[1]), FeedFileNamesOf(FromWide(argv[2])));
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    const std::uint64_t with_text = CommittedPrivateBytes();
    PROCESS_MEMORY_COUNTERS counters{};
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    std::printf(
        "units %zu seconds %.3f committed_before %llu committed_with_text %llu "
        "pagefile %llu peak_pagefile %llu\n",
        tab_text.size(), took.count(), static_cast<unsigned long long>(before),
        static_cast<unsigned long long>(with_text),
        static_cast<unsigned long long>(counters.PagefileUsage),
        static_cast<unsigned long long>(counters.PeakPagefileUsage));
    return 0;
  } catch (const Error& e) {
    std::fprintf(stderr, "feed_convert_win: %s\n", e.what());
    return 1;
  }
}
