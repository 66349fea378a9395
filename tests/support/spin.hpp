#pragma once

// Waiting on the real event loop. The limit is a hang guard, not a speed
// test: a loaded machine may be slow, never wrong.
#include <QApplication>
#include <QElapsedTimer>
#include <QThread>

#include <chrono>

namespace testsupport {

inline constexpr std::chrono::milliseconds kHangGuard{30000};

/// Runs the event loop until `done` holds; false if the guard runs out first.
template <class Done>
bool spinUntil(Done done, std::chrono::milliseconds guard = kHangGuard) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > guard.count()) return false;
        QApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(2);
    }
    return true;
}

/// Runs the event loop for `time`, to see what happens (or not) meanwhile.
inline void runLoopFor(std::chrono::milliseconds time) {
    spinUntil([] { return false; }, time);
}

}  // namespace testsupport
