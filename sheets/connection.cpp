#include "sheets/connection.h"

#include <exception>

#include "sheets/sheet_operations.h"

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

int32_t Connect(std::unique_ptr<Value>& app, const AttachServices& services) {
  app.reset();
  for (int attempt = 0; attempt < 10 && !app; ++attempt) {
    services.wait(1000);
    if (services.given_up()) break;
    try {
      app = services.attach();
    } catch (const std::exception&) {
    }
  }
  if (!app) return -1;
  SetScreenUpdating(*app, 1);
  return 1;
}

}  // namespace sheets
