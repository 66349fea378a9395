#pragma once

namespace platform {

/// Wall-clock time as seconds since 1970-01-01T00:00:00Z.
class Clock {
public:
    virtual ~Clock() = default;
    virtual double now() const = 0;
};

/// The system's real-time clock.
class SystemClock final : public Clock {
public:
    double now() const override;
};

}  // namespace platform
