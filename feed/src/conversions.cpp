#include <syndra/conversions.hpp>

#include "detail/date_fast_path.hpp"
#include "detail/icu_dates.hpp"
#include "detail/unicode_trim.hpp"

#include <locale.h>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>
#include <utility>

namespace syndra {
namespace {

// The "C" locale as an object, so that the process locale (a user's de_DE with
// its decimal comma) never changes how a feed's numbers read.
locale_t cLocale() noexcept {
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return locale;
}

}  // namespace

std::optional<bool> toBool(std::string_view text) noexcept {
    static constexpr std::array<std::pair<std::string_view, bool>, 10> kWords = {{
        {"True", true},
        {"true", true},
        {"Yes", true},
        {"yes", true},
        {"1", true},
        {"False", false},
        {"false", false},
        {"No", false},
        {"no", false},
        {"0", false},
    }};
    for (const auto& [word, value] : kWords) {
        if (text == word) return value;
    }
    return std::nullopt;
}

std::optional<std::int64_t> toInt(std::string_view text) noexcept {
    const bool signed_ = !text.empty() && (text.front() == '+' || text.front() == '-');
    const std::string_view digits = signed_ ? text.substr(1) : text;
    if (digits.empty()) return std::nullopt;
    for (const char c : digits) {
        if (c < '0' || c > '9') return std::nullopt;
    }
    // from_chars reads a leading "-" itself but not a "+".
    const char* first = text.front() == '-' ? text.data() : digits.data();
    const char* last = text.data() + text.size();
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(first, last, value, 10);
    if (error != std::errc() || end != last) return std::nullopt;
    return value;
}

std::optional<double> toDouble(std::string_view text) noexcept {
    if (text.empty()) return std::nullopt;
    switch (text.front()) {
        case ' ':
        case '\t':
        case '\n':
        case '\v':
        case '\f':
        case '\r':
        case '\0':
            return std::nullopt;
        default:
            break;
    }
    const locale_t locale = cLocale();
    if (locale == static_cast<locale_t>(nullptr)) return std::nullopt;
    try {
        // strtod_l needs a terminator; a NUL inside the text stops it early
        // and the length check below rejects the text.
        const std::string copy(text);
        char* end = nullptr;
        const double value = strtod_l(copy.c_str(), &end, locale);
        if (end != copy.c_str() + copy.size()) return std::nullopt;
        return value;
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

std::optional<Date> toDate(std::string_view text) {
    const std::string_view trimmed = detail::trimWhiteSpaceAndNewlines(text);
    // No pattern reads an empty text; ICU need not be asked.
    if (trimmed.empty()) return std::nullopt;
    if (const auto quick = detail::quickDate(trimmed)) return quick->date;
    return detail::icuToDate(trimmed);
}

std::optional<double> toDuration(std::string_view text) noexcept {
    std::string_view rest = detail::trimWhiteSpaceAndNewlines(text);
    // Pieces are read first to last but summed from the seconds upwards.
    double total = 0;
    double unit = 1;
    for (;;) {
        const std::size_t colon = rest.rfind(':');
        const std::string_view piece =
            colon == std::string_view::npos ? rest : rest.substr(colon + 1);
        if (piece.empty()) return std::nullopt;
        const auto value = toInt(piece);
        if (!value || *value < 0) return std::nullopt;
        // Skipping zeros keeps 0 × ∞ (a long run of leading "0:" pieces) from
        // turning the whole sum into NaN.
        if (*value != 0) total += static_cast<double>(*value) * unit;
        if (colon == std::string_view::npos) break;
        rest = rest.substr(0, colon);
        unit *= 60;
    }
    // Enough pieces overflow the double range; that is no duration.
    if (!std::isfinite(total)) return std::nullopt;
    return total;
}

}  // namespace syndra
