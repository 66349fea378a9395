#pragma once

#include <platform/clock.hpp>

#include <array>
#include <cstdint>
#include <optional>
#include <variant>

namespace player {

/// Every episode owns one hour in an endless loop that began at this instant
/// (2020-09-13 12:26:40 UTC), so every listener whose clock agrees hears the
/// same episode at the same second.
inline constexpr std::int64_t kScheduleEpoch = 1600000000;
inline constexpr std::int64_t kSlotLength = 3600;

/// [slot index, minute within the slot, second within the minute]. Before the
/// epoch the parts are zero or negative.
using BroadcastPosition = std::array<std::int64_t, 3>;

/// Why no position can be computed.
enum class ScheduleError {
    noEpisodes,       // an empty list has no loop
    cycleTooLong,     // episodeCount hours do not fit in 64-bit seconds
    clockOutOfRange,  // the clock is not finite or not within 64-bit seconds
};

const char* describe(ScheduleError error) noexcept;

/// The position on air at `now` (seconds since 1970) for a loop of
/// `episodeCount` one-hour slots.
std::variant<BroadcastPosition, ScheduleError> broadcastPosition(std::int64_t episodeCount,
                                                                 double now) noexcept;

/// The seconds gone in the slot on air at `now`, fraction included, in
/// [0, 3600) on either side of the epoch; not a number when `now` is not.
double secondsIntoSlot(double now) noexcept;

/// Which hour since the epoch is on air at `now` (negative before it), so
/// that two readings of the clock can tell whether the slot changed; nothing
/// when `now` is not a usable time.
std::optional<std::int64_t> slotNumber(double now) noexcept;

/// The same at the clock's current time.
inline std::variant<BroadcastPosition, ScheduleError> broadcastPosition(
    std::int64_t episodeCount, const platform::Clock& clock) {
    return broadcastPosition(episodeCount, clock.now());
}

}  // namespace player
