#include <platform/lifetime.hpp>
#include <platform/qt_scheduler.hpp>

#include <gtest/gtest.h>

#include "support/spin.hpp"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QThread>
#include <QTimer>

#include <atomic>
#include <optional>
#include <vector>

namespace {

using testsupport::spinUntil;

using namespace std::chrono_literals;

class QtSchedulerTest : public testing::Test {
protected:
    platform::QtScheduler scheduler{qApp};
};

TEST_F(QtSchedulerTest, PostedTasksRunOnTheMainThreadInOrder) {
    std::vector<int> order;
    std::vector<bool> onMain;
    std::atomic<bool> posted = false;
    // Post from a background thread too: the order is the order of posting.
    scheduler.runInBackground([&] {
        for (int i = 0; i < 50; ++i) {
            scheduler.post([&, i] {
                order.push_back(i);
                onMain.push_back(QThread::currentThread() == qApp->thread());
            });
        }
        posted = true;
    });
    ASSERT_TRUE(spinUntil([&] { return posted && order.size() == 50; }));
    for (int i = 0; i < 50; ++i) EXPECT_EQ(order[i], i);
    EXPECT_EQ(std::count(onMain.begin(), onMain.end(), true), 50);
}

TEST_F(QtSchedulerTest, DelayedTaskWaitsAtLeastTheDelay) {
    QElapsedTimer clock;
    clock.start();
    std::optional<qint64> ranAfter;
    std::vector<int> order;
    scheduler.postAfter(120ms, [&] {
        ranAfter = clock.elapsed();
        order.push_back(2);
    });
    scheduler.post([&] { order.push_back(1); });
    ASSERT_TRUE(spinUntil([&] { return ranAfter.has_value(); }));
    EXPECT_GE(*ranAfter, 120);
    EXPECT_EQ(order, (std::vector<int>{1, 2}));
}

TEST_F(QtSchedulerTest, BackgroundTasksRunOffTheMainThread) {
    std::atomic<int> offMain = -1;
    scheduler.runInBackground([&] { offMain = QThread::currentThread() != qApp->thread(); });
    ASSERT_TRUE(spinUntil([&] { return offMain != -1; }));
    EXPECT_EQ(offMain, 1);
}

TEST_F(QtSchedulerTest, RepeatingTimerTicksUntilItsTokenIsReleased) {
    int ticks = 0;
    auto token = scheduler.startRepeating(20ms, [&] { ++ticks; });
    ASSERT_TRUE(spinUntil([&] { return ticks >= 3; }));
    token.reset();
    const int atRelease = ticks;
    testsupport::runLoopFor(120ms);
    EXPECT_EQ(ticks, atRelease);
}

TEST_F(QtSchedulerTest, GuardedCallbackDoesNothingOnceItsOwnerIsGone) {
    int calls = 0;
    auto owner = std::make_unique<platform::Lifetime>();
    auto callback = platform::guarded(owner->guard(), [&] { ++calls; });
    scheduler.post(callback);
    ASSERT_TRUE(spinUntil([&] { return calls == 1; }));

    scheduler.postAfter(10ms, callback);
    owner.reset();
    testsupport::runLoopFor(60ms);
    EXPECT_EQ(calls, 1);
}

}  // namespace
