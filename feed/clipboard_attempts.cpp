#include "feed/clipboard_attempts.h"

#include "base/error.h"
#include "base/retry.h"

bool PlaceWithRetries(const std::function<void()>& place_once,
                      const std::function<void()>& process_pending_messages,
                      const std::function<void(std::uint32_t ms)>& sleep) {
  return RetryWithPauses<Error>(kHandOffRetries, place_once, [&](std::uint32_t ms) {
    process_pending_messages();
    sleep(ms);
  });
}
