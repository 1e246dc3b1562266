#include "standin/core/busy.h"

void BusyPeriod::Answered(std::u16string_view name, std::uint64_t now_ms) {
  if (!plan_.busy || started_ || plan_.from_member.empty()) return;
  // Spelled exactly so: the tool spells "Cells" (all cells) and "cells" (one cell) apart.
  if (name == plan_.from_member && ++looked_up_ == plan_.from_count) {
    started_ = true;
    started_ms_ = now_ms;
  }
}

bool BusyPeriod::Refuses(std::uint64_t now_ms) {
  if (!plan_.busy) return false;
  if (!started_ && plan_.from_member.empty()) {
    started_ = true;
    started_ms_ = now_ms;
  }
  if (!started_) return false;
  const bool within = plan_.length_calls > 0 ? refused_ < plan_.length_calls
                                             : now_ms - started_ms_ < plan_.length_ms;
  if (within) ++refused_;
  return within;
}
