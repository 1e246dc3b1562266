#pragma once
// Attaching to the running application and the message-processing wait that paces it, over
// injected clock, message pump and attach so that they run without the platform.
#include <cstdint>
#include <functional>
#include <memory>

#include "sheets/automation.h"

namespace sheets {

// Processes pending messages once, then again between clock checks until ms have passed; no
// sleep. A failure while processing ends the wait and goes no further.
void PumpedWait(uint32_t ms, const std::function<uint64_t()>& now,
                const std::function<void()>& process_pending_messages);

struct AttachServices {
  std::function<void(uint32_t ms)> wait;
  std::function<std::unique_ptr<Value>()> attach;  // raises when no application is running
  std::function<bool()> given_up;                  // the user no longer waits for the result
};

// Up to ten attempts, each after a one-second wait; none once the user has given up during a
// wait. Returns 1 with app holding the application (screen updating switched on), or -1 with app
// empty.
int32_t Connect(std::unique_ptr<Value>& app, const AttachServices& services);

}  // namespace sheets
