#include "sheets/connection.h"

#include <exception>

namespace sheets {

void PumpedWait(uint32_t ms, const std::function<uint64_t()>& now,
                const std::function<void()>& process_pending_messages) {
  try {
    process_pending_messages();
    const uint64_t start = now();
    while (now() - start < ms) process_pending_messages();
  } catch (const std::exception&) {
  }
}

}  // namespace sheets
