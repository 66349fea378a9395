#include <player/broadcast_schedule.hpp>

#include <cmath>
#include <limits>

namespace player {

const char* describe(ScheduleError error) noexcept {
    switch (error) {
        case ScheduleError::noEpisodes:
            return "The podcast has no episodes to schedule";
        case ScheduleError::cycleTooLong:
            return "Too many episodes to schedule";
        case ScheduleError::clockOutOfRange:
            return "The system clock reads an impossible time";
    }
    return "Unknown schedule error";
}

std::variant<BroadcastPosition, ScheduleError> broadcastPosition(std::int64_t episodeCount,
                                                                 double now) noexcept {
    if (episodeCount < 1) return ScheduleError::noEpisodes;
    if (episodeCount > std::numeric_limits<std::int64_t>::max() / kSlotLength) {
        return ScheduleError::cycleTooLong;
    }
    const std::int64_t cycle = episodeCount * kSlotLength;

    // Truncate toward zero; only values that fit in 64 bits after the epoch is
    // subtracted are meaningful. 2^63 is exactly representable as a double.
    constexpr double kLimit = 9223372036854775808.0;
    if (!std::isfinite(now) || now >= kLimit || now <= -kLimit)
        return ScheduleError::clockOutOfRange;
    const auto seconds = static_cast<std::int64_t>(now);
    if (seconds < std::numeric_limits<std::int64_t>::min() + kScheduleEpoch) {
        return ScheduleError::clockOutOfRange;
    }
    const std::int64_t elapsed = seconds - kScheduleEpoch;

    // C++ '%' and '/' truncate toward zero, so before the epoch the parts come
    // out zero or negative, which the caller's range check turns away.
    const std::int64_t r = elapsed % cycle;
    const std::int64_t slot = r / kSlotLength;
    const std::int64_t minute = (r - slot * kSlotLength) / 60;
    const std::int64_t second = r % 60;
    return BroadcastPosition{slot, minute, second};
}

double secondsIntoSlot(double now) noexcept {
    const double intoSlot = std::fmod(now - double(kScheduleEpoch), double(kSlotLength));
    return intoSlot < 0 ? intoSlot + double(kSlotLength) : intoSlot;
}

std::optional<std::int64_t> slotNumber(double now) noexcept {
    const double slot = std::floor((now - double(kScheduleEpoch)) / double(kSlotLength));
    // Far from any real clock, but inside 64 bits with room to add one.
    if (!std::isfinite(slot) || std::fabs(slot) > 1e15) return std::nullopt;
    return static_cast<std::int64_t>(slot);
}

}  // namespace player
