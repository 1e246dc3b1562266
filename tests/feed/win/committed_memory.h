#pragma once
// The memory a process (by default this one) has committed for itself (heap, stacks, VirtualAlloc),
// touched or not: what Windows charges against its commit limit. Wine's process counters show only
// touched pages.
#include <windows.h>

#include <cstdint>

std::uint64_t CommittedPrivateBytes(HANDLE process = GetCurrentProcess());
