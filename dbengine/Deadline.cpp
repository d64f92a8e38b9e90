#include "dbengine/Deadline.h"

unsigned long Deadline::RemainingMs() const {
  const Clock::duration left = end_ - Clock::now();
  if (left <= Clock::duration::zero()) return 0;
  // Rounded up, so that a wait given the time left never ends before the limit.
  return static_cast<unsigned long>(std::chrono::ceil<std::chrono::milliseconds>(left).count());
}
