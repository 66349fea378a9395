#pragma once

#include <syndra/date.hpp>
#include <syndra/fields.hpp>

#include <cstdint>
#include <optional>
#include <string_view>

namespace syndra {

/// The value of "sy:updatePeriod".
enum class SyndicationUpdatePeriod { hourly, daily, weekly, monthly, yearly };

/// "hourly", "daily", ...
std::string_view rawValue(SyndicationUpdatePeriod period) noexcept;
/// The period whose raw value is exactly `raw`.
std::optional<SyndicationUpdatePeriod> updatePeriodFromRawValue(std::string_view raw) noexcept;
/// The period an element's text names: case-folded (all of Unicode), then an exact match (no
/// trimming), so "Daily" is daily and " daily" is nothing.
std::optional<SyndicationUpdatePeriod> updatePeriodFromText(std::string_view text) noexcept;

/// The "sy:" elements of a channel: how often the feed is updated.
struct SyndicationNamespace {
    std::optional<SyndicationUpdatePeriod> syUpdatePeriod{};
    std::optional<std::int64_t> syUpdateFrequency{};
    std::optional<Date> syUpdateBase{};

    static constexpr auto fields =
        std::tuple{field("syUpdatePeriod", &SyndicationNamespace::syUpdatePeriod),
                   field("syUpdateFrequency", &SyndicationNamespace::syUpdateFrequency),
                   field("syUpdateBase", &SyndicationNamespace::syUpdateBase)};
};

}  // namespace syndra
