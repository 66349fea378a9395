#include <syndra/rss_feed.hpp>
#include <syndra/syndication.hpp>

#include <array>
#include <cstddef>

namespace syndra {
namespace {

constexpr std::array<std::string_view, 7> kSkipDays = {
    "monday", "tuesday", "wednesday", "thursday", "friday", "saturday", "sunday"};

constexpr std::array<std::string_view, 5> kUpdatePeriods = {"hourly", "daily", "weekly", "monthly",
                                                            "yearly"};

template <class E, std::size_t N>
std::string_view nameOf(const std::array<std::string_view, N>& names, E value) noexcept {
    const auto index = static_cast<std::size_t>(value);
    return index < N ? names[index] : std::string_view();
}

template <class E, std::size_t N>
std::optional<E> valueNamed(const std::array<std::string_view, N>& names,
                            std::string_view raw) noexcept {
    for (std::size_t i = 0; i < N; ++i) {
        if (names[i] == raw) return static_cast<E>(i);
    }
    return std::nullopt;
}

// Element text names a value in any letter case. The words are ASCII, so
// lower-casing ASCII letters is enough; any other byte can never match.
template <class E, std::size_t N>
std::optional<E> valueNamedInAnyCase(const std::array<std::string_view, N>& names,
                                     std::string_view text) noexcept {
    std::array<char, 16> lower{};
    if (text.size() > lower.size()) return std::nullopt;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        lower[i] = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    }
    return valueNamed<E>(names, std::string_view(lower.data(), text.size()));
}

}  // namespace

std::string_view rawValue(RSSFeedSkipDay day) noexcept {
    return nameOf(kSkipDays, day);
}

std::optional<RSSFeedSkipDay> skipDayFromRawValue(std::string_view raw) noexcept {
    return valueNamed<RSSFeedSkipDay>(kSkipDays, raw);
}

std::optional<RSSFeedSkipDay> skipDayFromText(std::string_view text) noexcept {
    return valueNamedInAnyCase<RSSFeedSkipDay>(kSkipDays, text);
}

std::string_view rawValue(SyndicationUpdatePeriod period) noexcept {
    return nameOf(kUpdatePeriods, period);
}

std::optional<SyndicationUpdatePeriod> updatePeriodFromRawValue(std::string_view raw) noexcept {
    return valueNamed<SyndicationUpdatePeriod>(kUpdatePeriods, raw);
}

std::optional<SyndicationUpdatePeriod> updatePeriodFromText(std::string_view text) noexcept {
    return valueNamedInAnyCase<SyndicationUpdatePeriod>(kUpdatePeriods, text);
}

}  // namespace syndra
