#pragma once

#include <platform/scheduler.hpp>

class QObject;
class QThreadPool;

namespace platform {

/// The Scheduler on Qt's event loop: main-thread work is queued to the
/// application object's thread, background work goes to a QThreadPool.
class QtScheduler final : public Scheduler {
public:
    /// `mainContext` lives on the main thread (usually the application object);
    /// `pool` defaults to Qt's global pool.
    explicit QtScheduler(QObject* mainContext, QThreadPool* pool = nullptr);

    void post(Task task) override;
    void postAfter(std::chrono::milliseconds delay, Task task) override;
    void runInBackground(Task task) override;
    std::unique_ptr<TimerToken> startRepeating(std::chrono::milliseconds interval,
                                               Task tick) override;

private:
    QObject* mainContext_;
    QThreadPool* pool_;
};

}  // namespace platform
