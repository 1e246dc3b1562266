#include "feed/clipboard_attempts.h"

#include "app/base/error.h"

bool PlaceWithRetries(const std::function<void()>& place_once,
                      const std::function<void()>& process_pending_messages,
                      const std::function<void(std::uint32_t ms)>& sleep) {
  for (int attempt = 0; attempt < 15; ++attempt) {
    try {
      place_once();
      return true;
    } catch (const Error&) {
      process_pending_messages();
      sleep(300);
    }
  }
  return false;
}
