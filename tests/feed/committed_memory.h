#pragma once
// The memory this process has committed for itself (heap, stacks, VirtualAlloc), touched or not:
// what Windows charges against its commit limit. Wine's process counters show only touched pages.
#include <cstdint>

std::uint64_t CommittedPrivateBytes();
