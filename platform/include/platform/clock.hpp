#pragma once

namespace platform {

/// Wall-clock time, and a second clock for measuring how long things take.
class Clock {
public:
    virtual ~Clock() = default;
    /// Seconds since 1970-01-01T00:00:00Z. Jumps when the time is set, when
    /// NTP steps it and across a suspend.
    virtual double now() const = 0;
    /// Seconds from an arbitrary start on a clock that never jumps and stands
    /// still while the machine sleeps. Clocks that cannot jump may leave it
    /// to now().
    virtual double monotonic() const { return now(); }
};

/// The system's real-time and monotonic clocks.
class SystemClock final : public Clock {
public:
    double now() const override;
    double monotonic() const override;
};

}  // namespace platform
