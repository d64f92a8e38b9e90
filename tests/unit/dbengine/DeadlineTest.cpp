// The engine's overall time limit, and waiting for work it cannot interrupt (a host name lookup
// that the name service does not answer) only until that limit.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

#include "dbengine/Deadline.h"
#include "framework/Exceptions.h"

namespace {
using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;
}  // namespace

// First in the file, its throwing work first of all: under Wine an exception thrown on a new
// thread while an earlier thread of the process is still ending has been seen to stall the
// thrower. The engine's own work on such threads (the host name lookup) never throws.
TEST(ResultBefore, WorkInTimeGivesItsResultOrItsErrorAndNoneStartsTooLate) {
  int result = 0;
  // Work in time returns as soon as it is done; the generous limit only keeps a starved machine
  // (a loaded build host, Wine starting the thread) from failing the test.
  EXPECT_THROW(ResultBefore<int>(
                   Deadline(30000), []() -> int { throw EDatabaseError("lookup failed"); }, result),
               EDatabaseError);
  EXPECT_TRUE(ResultBefore<int>(
      Deadline(30000), [] { return 42; }, result));
  EXPECT_EQ(result, 42);
  bool started = false;
  EXPECT_FALSE(ResultBefore<int>(
      Deadline(0),
      [&started] {
        started = true;
        return 1;
      },
      result));
  EXPECT_FALSE(started);
}

TEST(ResultBefore, WorkThatOutlastsTheDeadlineIsLeftToFinishOnItsOwn) {
  const auto finished = std::make_shared<std::atomic<bool>>(false);
  int result = 7;
  const Clock::time_point start = Clock::now();
  EXPECT_FALSE(ResultBefore<int>(
      Deadline(200),
      [finished] {
        std::this_thread::sleep_for(milliseconds(2000));
        *finished = true;
        return 1;
      },
      result));
  const Clock::duration waited = Clock::now() - start;
  EXPECT_GE(waited, milliseconds(190));
  EXPECT_LT(waited, milliseconds(1500));
  EXPECT_EQ(result, 7);
  for (int i = 0; i < 500 && !*finished; ++i) std::this_thread::sleep_for(milliseconds(10));
  EXPECT_TRUE(*finished);
}
