#include <syndra/rss_feed.hpp>
#include <syndra/syndication.hpp>

#include <unicode/stringoptions.h>
#include <unicode/ustring.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>

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

// Element text names a value in any letter case, as Unicode case folding
// sees it ("ſunday" is sunday). ASCII text, the usual case, is folded here;
// other text by ICU.
template <class E, std::size_t N>
std::optional<E> valueNamedInAnyCase(const std::array<std::string_view, N>& names,
                                     std::string_view text) noexcept {
    // Longer texts fold to no name: one character folds to three at most.
    constexpr std::int32_t kMaxBytes = 64;
    if (text.size() > static_cast<std::size_t>(kMaxBytes)) return std::nullopt;
    std::array<char, kMaxBytes * 3> folded{};
    std::int32_t length = 0;
    const bool ascii = std::all_of(text.begin(), text.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (ascii) {
        for (const char c : text) {
            folded[static_cast<std::size_t>(length++)] =
                (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
        }
    } else {
        std::array<UChar, kMaxBytes> wide{};
        std::array<UChar, kMaxBytes * 3> wideFolded{};
        UErrorCode status = U_ZERO_ERROR;
        std::int32_t wideLength = 0;
        u_strFromUTF8(wide.data(), kMaxBytes, &wideLength, text.data(),
                      static_cast<std::int32_t>(text.size()), &status);
        const std::int32_t foldedLength =
            u_strFoldCase(wideFolded.data(), static_cast<std::int32_t>(wideFolded.size()),
                          wide.data(), wideLength, U_FOLD_CASE_DEFAULT, &status);
        u_strToUTF8(folded.data(), static_cast<std::int32_t>(folded.size()), &length,
                    wideFolded.data(), foldedLength, &status);
        if (U_FAILURE(status)) return std::nullopt;
    }
    return valueNamed<E>(names, std::string_view(folded.data(), static_cast<std::size_t>(length)));
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
