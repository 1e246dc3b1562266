#pragma once
// The clipboard hand-off's retry loop, apart from the clipboard itself so that it runs without
// the platform.
#include <cstdint>
#include <functional>

// Up to 15 calls of place_once; after each one that raises an Error, process pending messages
// and sleep 300 ms. True as soon as one call returns; false after the 15th failure.
bool PlaceWithRetries(const std::function<void()>& place_once,
                      const std::function<void()>& process_pending_messages,
                      const std::function<void(std::uint32_t ms)>& sleep);
