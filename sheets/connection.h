#pragma once
// The message-processing wait that paces the attach, over an injected clock and message pump so
// that it runs without the platform.
#include <cstdint>
#include <functional>

namespace sheets {

// Processes pending messages once, then again between clock checks until ms have passed; no
// sleep. A failure while processing ends the wait and goes no further.
void PumpedWait(uint32_t ms, const std::function<uint64_t()>& now,
                const std::function<void()>& process_pending_messages);

}  // namespace sheets
