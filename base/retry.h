#pragma once
// Tries a step that may fail for a while (a busy clipboard or application) a fixed number of
// times, pausing between the attempts.
#include <exception>

// True as soon as one try returns; false after attempts tries that all raised Failure. pause runs
// after each failed try, the last one too; any other failure goes out at once.
template <typename Failure = std::exception, typename Try, typename Pause>
bool RetryWithPauses(int attempts, Try try_once, Pause pause) {
  for (int attempt = 1; attempt <= attempts; ++attempt) {
    try {
      try_once();
      return true;
    } catch (const Failure&) {
      pause();
    }
  }
  return false;
}
