// Linked into every test program: a test that is still running after its bound (60 s, or
// LINTORA_TEST_WATCHDOG_SECONDS) is named on stderr and the program ends with exit code 1. A hang
// (a modal loop nobody ends, a server that never answers) then shows up as a failing test with a
// message within a minute, not as ctest's timeout without a word.
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>

namespace {
using Clock = std::chrono::steady_clock;

std::chrono::seconds WatchdogBound() {
  const char* text = std::getenv("LINTORA_TEST_WATCHDOG_SECONDS");
  const int seconds = text ? std::atoi(text) : 0;
  return std::chrono::seconds(seconds > 0 ? seconds : 60);
}

// Lives until the process ends (never destroyed), so the watching thread never sees it go.
struct WatchState {
  std::mutex mutex;
  std::condition_variable changed;
  std::string test;  // empty while no test runs
  Clock::time_point deadline;
};

[[noreturn]] void ReportHang(const std::string& test, std::chrono::seconds bound) {
  std::fprintf(stderr, "\nWATCHDOG: %s is still running after %d s; it hangs. Ending the program.\n",
               test.c_str(), static_cast<int>(bound.count()));
  std::fflush(stderr);
  std::fflush(stdout);
  std::_Exit(1);
}

void Watch(WatchState* state, std::chrono::seconds bound) {
  std::unique_lock<std::mutex> lock(state->mutex);
  for (;;) {
    if (state->test.empty()) {
      state->changed.wait(lock);
    } else if (state->changed.wait_until(lock, state->deadline) == std::cv_status::timeout &&
               !state->test.empty() && Clock::now() >= state->deadline) {
      ReportHang(state->test, bound);
    }
  }
}

class TestWatchdog : public testing::EmptyTestEventListener {
 public:
  void OnTestStart(const testing::TestInfo& info) override {
    if (!state_) {
      state_ = new WatchState;
      std::thread(Watch, state_, bound_).detach();
    }
    std::lock_guard<std::mutex> lock(state_->mutex);
    state_->test = std::string(info.test_suite_name()) + "." + info.name();
    state_->deadline = Clock::now() + bound_;
    state_->changed.notify_all();
  }
  void OnTestEnd(const testing::TestInfo&) override {
    std::lock_guard<std::mutex> lock(state_->mutex);
    state_->test.clear();
    state_->changed.notify_all();
  }

 private:
  const std::chrono::seconds bound_ = WatchdogBound();
  WatchState* state_ = nullptr;
};

[[maybe_unused]] const bool registered = [] {
  testing::UnitTest::GetInstance()->listeners().Append(new TestWatchdog);
  return true;
}();
}  // namespace
