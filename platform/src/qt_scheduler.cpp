#include <platform/qt_scheduler.hpp>

#include <QMetaObject>
#include <QObject>
#include <QThreadPool>
#include <QTimer>

namespace platform {
namespace {

class QtTimerToken final : public TimerToken {
public:
    QtTimerToken(std::chrono::milliseconds interval, Task tick) {
        timer_.setInterval(interval);
        timer_.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer_, &QTimer::timeout, [tick = std::move(tick)] { tick(); });
        timer_.start();
    }

private:
    QTimer timer_;
};

}  // namespace

QtScheduler::QtScheduler(QObject* mainContext, QThreadPool* pool)
    : mainContext_(mainContext), pool_(pool != nullptr ? pool : QThreadPool::globalInstance()) {}

void QtScheduler::post(Task task) {
    // Queued invocations on one receiver are delivered in the order posted.
    QMetaObject::invokeMethod(mainContext_, std::move(task), Qt::QueuedConnection);
}

void QtScheduler::postAfter(std::chrono::milliseconds delay, Task task) {
    // The single-shot timer must be started on the thread it fires on, so
    // hop to the main thread first; the hop costs microseconds.
    QObject* context = mainContext_;
    post([context, delay, task = std::move(task)]() mutable {
        QTimer::singleShot(delay, Qt::PreciseTimer, context, std::move(task));
    });
}

void QtScheduler::runInBackground(Task task) {
    pool_->start(std::move(task));
}

std::unique_ptr<TimerToken> QtScheduler::startRepeating(std::chrono::milliseconds interval,
                                                        Task tick) {
    return std::make_unique<QtTimerToken>(interval, std::move(tick));
}

}  // namespace platform
