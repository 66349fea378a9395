#pragma once

#include <chrono>
#include <functional>
#include <memory>

namespace platform {

using Task = std::function<void()>;

/// Stops its timer when destroyed (or reset).
class TimerToken {
public:
    virtual ~TimerToken() = default;
};

/// Where the app's work runs: the main thread (in order), the main thread
/// after a delay, a background pool, and a repeating main-thread timer.
/// The Qt implementation drives the real event loop; tests use a virtual-time
/// fake so that hours of schedule pass in milliseconds.
class Scheduler {
public:
    virtual ~Scheduler() = default;

    /// Runs `task` later on the main thread; tasks run in the order posted.
    virtual void post(Task task) = 0;
    /// Runs `task` on the main thread no earlier than `delay` from now.
    virtual void postAfter(std::chrono::milliseconds delay, Task task) = 0;
    /// Runs `task` on a background thread; the caller does not wait.
    virtual void runInBackground(Task task) = 0;
    /// Calls `tick` on the main thread every `interval`, the first time one
    /// interval from now, until the returned token is destroyed. Call from the
    /// main thread.
    virtual std::unique_ptr<TimerToken> startRepeating(std::chrono::milliseconds interval,
                                                       Task tick) = 0;
};

}  // namespace platform
