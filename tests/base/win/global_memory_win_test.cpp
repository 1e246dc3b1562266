#include "base/win/global_memory.h"

#include <gtest/gtest.h>

TEST(LockedGlobalMemory, HoldsTheBlockOnlyWhileItLives) {
  const UniqueGlobalMemory block(GlobalAlloc(GMEM_MOVEABLE, 16));
  ASSERT_TRUE(block);
  {
    const LockedGlobalMemory locked(block.get());
    ASSERT_NE(locked.get(), nullptr);
    EXPECT_EQ(GlobalFlags(block.get()) & GMEM_LOCKCOUNT, 1u);
  }
  EXPECT_EQ(GlobalFlags(block.get()) & GMEM_LOCKCOUNT, 0u);
}
