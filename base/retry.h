#pragma once
// Tries a step that may fail for a while (a busy clipboard or application) a fixed number of
// times, pausing between the attempts.
#include <cstdint>
#include <exception>

struct RetryPolicy {
  int attempts;
  std::uint32_t pause_ms;
};

// The clipboard hand-off and the paste: fifteen tries 300 ms apart give another program about
// four and a half seconds to let go of the clipboard, or the application to take the paste.
inline constexpr RetryPolicy kHandOffRetries = {15, 300};

// True as soon as one try returns; false after policy.attempts tries that all raised Failure.
// pause(policy.pause_ms) runs after each failed try, the last one too; any other failure goes
// out at once.
template <typename Failure = std::exception, typename Try, typename Pause>
bool RetryWithPauses(RetryPolicy policy, Try try_once, Pause pause) {
  for (int attempt = 1; attempt <= policy.attempts; ++attempt) {
    try {
      try_once();
      return true;
    } catch (const Failure&) {
      pause(policy.pause_ms);
    }
  }
  return false;
}
