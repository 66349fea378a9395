#pragma once

#include <syndra/date.hpp>

#include <cstdint>
#include <optional>
#include <string_view>

namespace syndra {

/// "True", "true", "Yes", "yes", "1" → true; "False", "false", "No", "no", "0" →
/// false; anything else (no trimming, no other letter case) → nothing.
std::optional<bool> toBool(std::string_view text) noexcept;

/// An optional sign and decimal digits, nothing else, within 64 bits.
std::optional<std::int64_t> toInt(std::string_view text) noexcept;

/// The whole text as one C-locale floating-point number; no leading or
/// trailing white space.
std::optional<double> toDouble(std::string_view text) noexcept;

/// A date in one of the RFC 822, RFC 3339 or ISO 8601 shapes feeds use: the
/// first of RFC822DateFormatter, RFC3339DateFormatter and ISO8601DateFormatter
/// that reads it. Safe to call from any number of threads at once.
std::optional<Date> toDate(std::string_view text);

/// "h:mm:ss"-style durations: colon-separated non-negative integers in base 60,
/// white space around the whole text ignored. In seconds; nothing when the sum
/// leaves the double range.
std::optional<double> toDuration(std::string_view text) noexcept;

}  // namespace syndra
