#pragma once
// The stand-in's message filter: while the application is busy it rejects incoming automation
// calls, as a busy application's own filter does.
#include <windows.h>
// after windows.h
#include <objbase.h>

#include "standin/win/standin_state.h"

// Registered on this thread for as long as it lives. A busy application answers
// SERVERCALL_RETRYLATER, which on Windows reaches a client without a message filter of its own
// as RPC_E_CALL_REJECTED; Wine does not implement RETRYLATER on the server's side (it runs the
// call), so the filter answers SERVERCALL_REJECTED, which gives the client the same code.
class BusyFilterRegistration {
 public:
  // Throws Error when the filter cannot be registered.
  explicit BusyFilterRegistration(StandinState& state);
  BusyFilterRegistration(const BusyFilterRegistration&) = delete;
  BusyFilterRegistration& operator=(const BusyFilterRegistration&) = delete;
  ~BusyFilterRegistration();

 private:
  class Filter;
  Filter* filter_;
};
