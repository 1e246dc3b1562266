#pragma once
// Owners of movable global memory, the blocks the clipboard takes and gives: the block, freed
// unless handed on, and its lock for one scope.
#include <windows.h>

#include "base/win/unique_handle.h"

struct GlobalMemoryTraits {
  using Value = HGLOBAL;
  static Value Invalid() { return nullptr; }
  static void Close(Value value) { GlobalFree(value); }
};
using UniqueGlobalMemory = UniqueResource<GlobalMemoryTraits>;

// The block's bytes, held in place while this lives; null when the block cannot be locked.
class LockedGlobalMemory {
 public:
  explicit LockedGlobalMemory(HGLOBAL block) : block_(block), data_(GlobalLock(block)) {}
  LockedGlobalMemory(const LockedGlobalMemory&) = delete;
  LockedGlobalMemory& operator=(const LockedGlobalMemory&) = delete;
  ~LockedGlobalMemory() {
    if (data_) GlobalUnlock(block_);
  }
  void* get() const { return data_; }

 private:
  HGLOBAL block_;
  void* data_;
};
