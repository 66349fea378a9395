#pragma once

#include <type_traits>

namespace syndra {

/// A floating-point model field: a double in every use, except that equality
/// is reflexive (two NaNs are equal), so a model always equals its copy.
class Real {
public:
    constexpr Real() noexcept = default;
    constexpr Real(double value) noexcept : value_(value) {}
    constexpr operator double() const noexcept { return value_; }

    friend constexpr bool operator==(Real a, Real b) noexcept {
        return a.value_ == b.value_ || (a.value_ != a.value_ && b.value_ != b.value_);
    }
    /// Against a plain number, as against that number as a Real.
    template <class T>
    requires std::is_arithmetic_v<T>
    friend constexpr bool operator==(Real a, T b) noexcept {
        return a == Real(static_cast<double>(b));
    }

private:
    double value_ = 0.0;
};

}  // namespace syndra
