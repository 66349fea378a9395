#include <player/broadcast_schedule.hpp>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <tuple>

namespace {

using player::BroadcastPosition;
using player::broadcastPosition;
using player::kScheduleEpoch;
using player::ScheduleError;

constexpr double at(double secondsFromEpoch) {
    return double(kScheduleEpoch) + secondsFromEpoch;
}

struct PositionCase {
    const char* name;
    std::int64_t episodes;
    double now;
    BroadcastPosition expected;
};

class PositionTest : public testing::TestWithParam<PositionCase> {};

TEST_P(PositionTest, GivesSlotMinuteSecond) {
    const auto& c = GetParam();
    const auto result = broadcastPosition(c.episodes, c.now);
    ASSERT_TRUE(std::holds_alternative<BroadcastPosition>(result));
    EXPECT_EQ(std::get<BroadcastPosition>(result), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Schedule, PositionTest,
    testing::Values(
        PositionCase{"AtEpoch", 10, at(0), {0, 0, 0}},
        PositionCase{"ThreeHoursTwoMinutesFive", 10, at(3 * 3600 + 2 * 60 + 5), {3, 2, 5}},
        PositionCase{"LoopWraps", 10, at(10 * 3600 + 59), {0, 0, 59}},
        PositionCase{"FractionDropped", 10, at(3600 + 60 + 1.9), {1, 1, 1}},
        PositionCase{"LongLoop", 168, at(1e8), {57, 46, 40}},
        PositionCase{"SingleEpisodeAlwaysSlotZero", 1, at(5 * 3600 + 17 * 60 + 3), {0, 17, 3}},
        PositionCase{"FirstSecondOfSlot", 4, at(2 * 3600), {2, 0, 0}},
        PositionCase{"LastSecondOfSlot", 4, at(3 * 3600 - 1), {2, 59, 59}},
        PositionCase{"FullCycleIsZeroAgain", 7, at(7 * 3600), {0, 0, 0}},
        PositionCase{"HundredSecondsBeforeEpoch", 10, at(-100), {0, -1, -40}},
        PositionCase{"TenThousandSecondsBefore", 10, at(-10000), {-2, -46, -40}},
        PositionCase{"FractionJustBeforeEpoch", 10, at(-0.5), {0, 0, -1}},
        PositionCase{"LargestLoop",
                     std::numeric_limits<std::int64_t>::max() / 3600,
                     at(3600 * 5 + 1),
                     {5, 0, 1}}),
    [](const auto& info) { return std::string(info.param.name); });

struct ErrorCase {
    const char* name;
    std::int64_t episodes;
    double now;
    ScheduleError expected;
};

class ScheduleErrorTest : public testing::TestWithParam<ErrorCase> {};

TEST_P(ScheduleErrorTest, IsRejectedAsAValue) {
    const auto& c = GetParam();
    const auto result = broadcastPosition(c.episodes, c.now);
    ASSERT_TRUE(std::holds_alternative<ScheduleError>(result));
    EXPECT_EQ(std::get<ScheduleError>(result), c.expected);
}

constexpr double kInf = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(
    Schedule, ScheduleErrorTest,
    testing::Values(ErrorCase{"NoEpisodes", 0, at(0), ScheduleError::noEpisodes},
                    ErrorCase{"NegativeCount", -3, at(0), ScheduleError::noEpisodes},
                    ErrorCase{"CycleOverflows", std::numeric_limits<std::int64_t>::max() / 3600 + 1,
                              at(0), ScheduleError::cycleTooLong},
                    ErrorCase{"MaxCount", std::numeric_limits<std::int64_t>::max(), at(0),
                              ScheduleError::cycleTooLong},
                    ErrorCase{"NotANumber", 10, std::nan(""), ScheduleError::clockOutOfRange},
                    ErrorCase{"Infinite", 10, kInf, ScheduleError::clockOutOfRange},
                    ErrorCase{"MinusInfinite", 10, -kInf, ScheduleError::clockOutOfRange},
                    ErrorCase{"Beyond64Bits", 10, 1e19, ScheduleError::clockOutOfRange},
                    ErrorCase{"ElapsedWouldUnderflow", 10, -9.2233720368547e18,
                              ScheduleError::clockOutOfRange}),
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
    constexpr double kInfinity = std::numeric_limits<double>::infinity();
    EXPECT_TRUE(std::isnan(player::secondsIntoSlot(kInfinity)));
    EXPECT_EQ(player::slotNumber(kInfinity), std::nullopt);
    EXPECT_EQ(player::slotNumber(1e30), std::nullopt);
}

}  // namespace
