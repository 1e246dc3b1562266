#pragma once
// Tests over the shared third-party data. Without it they are skipped, except in CI, which
// always has it: there a missing folder is a failure, so the checks cannot vanish unnoticed.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string_view>

inline bool RunningInCi() {
  const char* ci = std::getenv("CI");
  return ci != nullptr && std::string_view(ci) == "true";
}

#define REQUIRE_SHARED_DATA(present, what)                                       \
  do {                                                                           \
    if (!(present)) {                                                            \
      if (RunningInCi()) FAIL() << (what) << " is missing, and CI must have it"; \
      GTEST_SKIP() << (what) << " is missing";                                   \
    }                                                                            \
  } while (false)
