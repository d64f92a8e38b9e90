// One overall time limit for an engine operation, counted from its start, and a way to wait for
// work that the engine cannot interrupt (a host name lookup) only until that limit.
#pragma once

#include <chrono>
#include <condition_variable>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <utility>

class Deadline {
 public:
  using Clock = std::chrono::steady_clock;

  explicit Deadline(unsigned long limitMs)
      : limitMs_(limitMs), end_(Clock::now() + std::chrono::milliseconds(limitMs)) {}

  // The limit as given, for messages.
  unsigned long LimitMs() const { return limitMs_; }
  // Milliseconds left, rounded up; 0 once the limit has passed.
  unsigned long RemainingMs() const;
  bool Passed() const { return RemainingMs() == 0; }
  Clock::time_point End() const { return end_; }

 private:
  unsigned long limitMs_;
  Clock::time_point end_;
};

// Runs work on a thread of its own and waits for it until the deadline. Returns true with its
// result, or false when the deadline came first: the thread then finishes on its own, holding
// only what it shares with nobody, and its result is dropped. Work is not started once the
// deadline has passed. An exception of work reaches the caller when it comes in time.
template <typename Result>
bool ResultBefore(const Deadline& deadline, std::function<Result()> work, Result& result) {
  if (deadline.Passed()) return false;
  struct Shared {
    std::mutex mutex;
    std::condition_variable done;
    bool finished = false;
    Result result{};
    std::exception_ptr error;
  };
  auto shared = std::make_shared<Shared>();
  std::thread([shared, work = std::move(work)] {
    Result value{};
    std::exception_ptr error;
    try {
      value = work();
    } catch (...) {
      error = std::current_exception();
    }
    const std::lock_guard<std::mutex> lock(shared->mutex);
    shared->result = std::move(value);
    shared->error = error;
    shared->finished = true;
    shared->done.notify_all();
  }).detach();

  std::unique_lock<std::mutex> lock(shared->mutex);
  if (!shared->done.wait_until(lock, deadline.End(), [&] { return shared->finished; }))
    return false;
  if (shared->error) std::rethrow_exception(shared->error);
  result = std::move(shared->result);
  return true;
}
