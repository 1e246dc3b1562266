#include "feed/clipboard_attempts.h"

#include "base/error.h"
#include "base/retry.h"

bool PlaceWithRetries(const std::function<void()>& place_once,
                      const std::function<void()>& process_pending_messages,
                      const std::function<void(std::uint32_t ms)>& sleep) {
  constexpr int kAttempts = 15;
  constexpr std::uint32_t kPauseMs = 300;
  return RetryWithPauses<Error>(kAttempts, place_once, [&] {
    process_pending_messages();
    sleep(kPauseMs);
  });
}
