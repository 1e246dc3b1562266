// gtest_main, except that a run which skipped any test exits with the code ctest reports as
// skipped: a skipped check must never show as a pass.
#include <gtest/gtest.h>

namespace {
constexpr int kSkippedExitCode = 77;
}

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  if (const int failed = RUN_ALL_TESTS()) return failed;
  return testing::UnitTest::GetInstance()->skipped_test_count() > 0 ? kSkippedExitCode : 0;
}
