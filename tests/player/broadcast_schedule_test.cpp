#include <player/broadcast_schedule.hpp>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <tuple>
#include <variant>

namespace {

using player::BroadcastPosition;
using player::broadcastPosition;
using player::kScheduleEpoch;
using player::ScheduleError;

constexpr double at(double secondsFromEpoch) {
    return double(kScheduleEpoch) + secondsFromEpoch;
}

// Every clock reading and loop length, and what the schedule answers: a
// position, or an error given as a value.
struct Case {
    const char* name;
    std::int64_t episodes;
    double now;
    std::variant<BroadcastPosition, ScheduleError> expected;
};

class ScheduleTest : public testing::TestWithParam<Case> {};

TEST_P(ScheduleTest, GivesSlotMinuteSecondOrWhyNot) {
    const auto& c = GetParam();
    EXPECT_EQ(broadcastPosition(c.episodes, c.now), c.expected);
}

constexpr std::int64_t kMaxCount = std::numeric_limits<std::int64_t>::max();
constexpr double kInf = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(
    Schedule, ScheduleTest,
    testing::Values(
        Case{"AtEpoch", 10, at(0), BroadcastPosition{0, 0, 0}},
        Case{"ThreeHoursTwoMinutesFive", 10, at(3 * 3600 + 2 * 60 + 5), BroadcastPosition{3, 2, 5}},
        Case{"LoopWraps", 10, at(10 * 3600 + 59), BroadcastPosition{0, 0, 59}},
        Case{"FractionDropped", 10, at(3600 + 60 + 1.9), BroadcastPosition{1, 1, 1}},
        Case{"LongLoop", 168, at(1e8), BroadcastPosition{57, 46, 40}},
        Case{"SingleEpisodeAlwaysSlotZero", 1, at(5 * 3600 + 17 * 60 + 3),
             BroadcastPosition{0, 17, 3}},
        Case{"FirstSecondOfSlot", 4, at(2 * 3600), BroadcastPosition{2, 0, 0}},
        Case{"LastSecondOfSlot", 4, at(3 * 3600 - 1), BroadcastPosition{2, 59, 59}},
        Case{"FullCycleIsZeroAgain", 7, at(7 * 3600), BroadcastPosition{0, 0, 0}},
        Case{"HundredSecondsBeforeEpoch", 10, at(-100), BroadcastPosition{0, -1, -40}},
        Case{"TenThousandSecondsBefore", 10, at(-10000), BroadcastPosition{-2, -46, -40}},
        Case{"FractionJustBeforeEpoch", 10, at(-0.5), BroadcastPosition{0, 0, -1}},
        Case{"LargestLoop", kMaxCount / 3600, at(3600 * 5 + 1), BroadcastPosition{5, 0, 1}},
        Case{"NoEpisodes", 0, at(0), ScheduleError::noEpisodes},
        Case{"NegativeCount", -3, at(0), ScheduleError::noEpisodes},
        Case{"CycleOverflows", kMaxCount / 3600 + 1, at(0), ScheduleError::cycleTooLong},
        Case{"MaxCount", kMaxCount, at(0), ScheduleError::cycleTooLong},
        Case{"NotANumber", 10, std::nan(""), ScheduleError::clockOutOfRange},
        Case{"Infinite", 10, kInf, ScheduleError::clockOutOfRange},
        Case{"MinusInfinite", 10, -kInf, ScheduleError::clockOutOfRange},
        Case{"Beyond64Bits", 10, 1e19, ScheduleError::clockOutOfRange},
        Case{"ElapsedWouldUnderflow", 10, -9.2233720368547e18, ScheduleError::clockOutOfRange}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Schedule, ReadsTheInjectedClock) {
    struct FixedClock final : platform::Clock {
        double now() const override { return at(3 * 3600 + 125); }
    } clock;
    const auto result = broadcastPosition(10, clock);
    EXPECT_EQ(std::get<BroadcastPosition>(result), (BroadcastPosition{3, 2, 5}));
}

TEST(Schedule, SlotAndSecondsIntoItCountFromTheSlotsStartOnEitherSideOfTheEpoch) {
    const std::tuple<double, std::int64_t, double> cases[] = {
        {at(0), 0, 0.0},        {at(125.5), 0, 125.5}, {at(3 * 3600 + 3599.25), 3, 3599.25},
        {at(-100), -1, 3500.0}, {at(-3600), -1, 0.0},  {at(-0.5), -1, 3599.5},
    };
    for (const auto& [now, slot, seconds] : cases) {
        EXPECT_EQ(player::slotNumber(now), slot) << now;
        EXPECT_DOUBLE_EQ(player::secondsIntoSlot(now), seconds) << now;
    }
    EXPECT_TRUE(std::isnan(player::secondsIntoSlot(kInf)));
    EXPECT_EQ(player::slotNumber(kInf), std::nullopt);
    EXPECT_EQ(player::slotNumber(1e30), std::nullopt);
}

}  // namespace
