#include <syndra/date_formatters.hpp>

#include "detail/date_fast_path.hpp"
#include "detail/icu_dates.hpp"
#include "detail/unicode_trim.hpp"

#include <unicode/locid.h>
#include <unicode/regex.h>
#include <unicode/smpdtfmt.h>
#include <unicode/timezone.h>
#include <unicode/uchar.h>

#include <chrono>
#include <cmath>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace syndra {
namespace detail {
namespace {

// Building a SimpleDateFormat costs far more than a parse, so each thread keeps
// one ready formatter per pattern. A parse clears its own calendar copy, so a
// reused formatter gives exactly what a fresh one would.
class PatternCache {
public:
    icu::SimpleDateFormat* formatter(std::string_view pattern) {
        for (auto& [key, formatter] : entries_) {
            if (key == pattern) return formatter.get();
        }
        entries_.emplace_back(std::string(pattern), make(pattern));
        return entries_.back().second.get();
    }

private:
    static std::unique_ptr<icu::SimpleDateFormat> make(std::string_view pattern) {
        UErrorCode status = U_ZERO_ERROR;
        auto formatter = std::make_unique<icu::SimpleDateFormat>(
            icu::UnicodeString::fromUTF8(
                icu::StringPiece(pattern.data(), static_cast<int32_t>(pattern.size()))),
            icu::Locale("en_US_POSIX"), status);
        if (U_FAILURE(status)) return nullptr;
        formatter->adoptTimeZone(icu::TimeZone::getGMT()->clone());
        formatter->setLenient(false);
        return formatter;
    }

    std::vector<std::pair<std::string, std::unique_ptr<icu::SimpleDateFormat>>> entries_;
};

PatternCache& patternCache() {
    thread_local PatternCache cache;
    return cache;
}

std::optional<Date> fromUDate(UDate milliseconds) {
    // ICU's calendar stays far inside this range; the guard keeps the
    // conversion defined whatever it returns.
    if (!std::isfinite(milliseconds) || std::fabs(milliseconds) > 9.0e18) return std::nullopt;
    return Date(std::chrono::milliseconds(std::llround(milliseconds)));
}

std::optional<Date> parseWith(std::string_view pattern, const icu::UnicodeString& text) {
    icu::SimpleDateFormat* formatter = patternCache().formatter(pattern);
    if (formatter == nullptr || text.isEmpty()) return std::nullopt;
    icu::ParsePosition position(0);
    const UDate date = formatter->parse(text, position);
    if (position.getErrorIndex() != -1 || position.getIndex() != text.length()) {
        return std::nullopt;
    }
    return fromUDate(date);
}

// The weekday-stripping replacement. The compiled expression is immutable and
// shared; each call makes its own matcher.
icu::UnicodeString withoutWeekday(const icu::UnicodeString& text) {
    static const std::unique_ptr<const icu::RegexPattern> expression = [] {
        UErrorCode status = U_ZERO_ERROR;
        const auto source = RFC822DateFormatter::kWeekdayExpression;
        std::unique_ptr<const icu::RegexPattern> compiled(
            icu::RegexPattern::compile(icu::UnicodeString::fromUTF8(icu::StringPiece(
                                           source.data(), static_cast<int32_t>(source.size()))),
                                       0, status));
        return U_SUCCESS(status) ? std::move(compiled) : nullptr;
    }();
    if (!expression) return text;
    UErrorCode status = U_ZERO_ERROR;
    const std::unique_ptr<icu::RegexMatcher> matcher(expression->matcher(text, status));
    if (U_FAILURE(status) || !matcher) return text;
    const auto templ = RFC822DateFormatter::kWeekdayTemplate;
    icu::UnicodeString replaced =
        matcher->replaceAll(icu::UnicodeString::fromUTF8(
                                icu::StringPiece(templ.data(), static_cast<int32_t>(templ.size()))),
                            status);
    return U_SUCCESS(status) ? replaced : text;
}

// ICU reads fractions of a second into a 32-bit integer: past nine digits the
// value wraps (".9999999999" read as 141 ms), and from about 35 digits on it
// divides by zero and kills the process. Nine digits hold every millisecond,
// so a longer fraction (digits after a ".") is cut to nine; any other run of
// ten or more digits is no date field of ours, and the text is refused.
std::optional<icu::UnicodeString> withShortDigitRuns(const icu::UnicodeString& text) {
    constexpr int kMaxDigits = 9;
    icu::UnicodeString out;
    const int32_t length = text.length();
    int32_t copied = 0;  // text before this index is already in `out`
    int32_t i = 0;
    while (i < length) {
        if (!u_isdigit(text.char32At(i))) {
            i = text.moveIndex32(i, 1);
            continue;
        }
        const int32_t start = i;
        int32_t ninth = start;  // where the tenth digit begins
        int digits = 0;
        while (i < length && u_isdigit(text.char32At(i))) {
            i = text.moveIndex32(i, 1);
            if (++digits == kMaxDigits) ninth = i;
        }
        if (digits <= kMaxDigits) continue;
        if (start == 0 || text.charAt(start - 1) != u'.') return std::nullopt;
        out.append(text, copied, ninth - copied);
        copied = i;
    }
    if (copied == 0) return text;
    out.append(text, copied, length - copied);
    return out;
}

}  // namespace

std::optional<icu::UnicodeString> dateText(std::string_view text) {
    const std::string_view trimmed = trimWhiteSpaceAndNewlines(text);
    if (trimmed.size() > kMaxDateTextLength) return std::nullopt;
    return withShortDigitRuns(icu::UnicodeString::fromUTF8(
        icu::StringPiece(trimmed.data(), static_cast<int32_t>(trimmed.size()))));
}

std::optional<Date> parseWithPatterns(std::span<const std::string_view> patterns,
                                      const icu::UnicodeString& text) {
    for (const std::string_view pattern : patterns) {
        if (auto date = parseWith(pattern, text)) return date;
    }
    return std::nullopt;
}

std::optional<Date> parseRFC822(const icu::UnicodeString& text) {
    if (auto date = parseWithPatterns(RFC822DateFormatter::kDateFormats, text)) return date;
    return parseWithPatterns(RFC822DateFormatter::kBackupFormats, withoutWeekday(text));
}

std::optional<Date> icuToDate(std::string_view text) {
    // Same answers as trying fresh RFC 822, RFC 3339 and ISO 8601 formatters in
    // turn; the text is trimmed and converted once for all three.
    const auto trimmed = dateText(text);
    if (!trimmed) return std::nullopt;
    if (auto date = parseRFC822(*trimmed)) return date;
    if (auto date = parseWithPatterns(RFC3339DateFormatter::kDateFormats, *trimmed)) return date;
    return parseWithPatterns(ISO8601DateFormatter::kDateFormats, *trimmed);
}

std::optional<Date> icuRFC822Date(std::string_view text) {
    const auto trimmed = dateText(text);
    if (!trimmed) return std::nullopt;
    return parseRFC822(*trimmed);
}

std::optional<Date> icuPatternDate(std::span<const std::string_view> patterns,
                                   std::string_view text) {
    const auto trimmed = dateText(text);
    if (!trimmed) return std::nullopt;
    return parseWithPatterns(patterns, *trimmed);
}

std::string formatRFC3339(Date date) {
    const auto milliseconds = date.time_since_epoch().count();
    const bool whole = milliseconds % 1000 == 0;
    // The proleptic year ('u'), not the year of an era ('y'), which would
    // write 1 BC as year 1.
    icu::SimpleDateFormat* formatter = patternCache().formatter(
        whole ? "uuuu-MM-dd'T'HH:mm:ss'Z'" : "uuuu-MM-dd'T'HH:mm:ss.SSS'Z'");
    if (formatter == nullptr) return {};
    icu::UnicodeString text;
    formatter->format(static_cast<UDate>(milliseconds), text);
    std::string out;
    text.toUTF8String(out);
    return out;
}

}  // namespace detail

std::optional<Date> DateFormatter::date(std::string_view text) const {
    return detail::icuPatternDate(formats_, text);
}

// Each formatter answers the common shapes itself when the quick reader knows
// that this formatter's patterns read them to the same instant.

std::optional<Date> RFC822DateFormatter::date(std::string_view text) const {
    const auto quick = detail::quickDate(detail::trimWhiteSpaceAndNewlines(text));
    if (quick && quick->byRFC822) return quick->date;
    return detail::icuRFC822Date(text);
}

std::optional<Date> RFC3339DateFormatter::date(std::string_view text) const {
    const auto quick = detail::quickDate(detail::trimWhiteSpaceAndNewlines(text));
    auto date =
        quick && quick->byRFC3339 ? quick->date : detail::icuPatternDate(kDateFormats, text);
    // "0001-01-01T00:00:00+14:00" falls in 1 BC, which RFC 3339 cannot write
    // (its years start at 0000, and this reader takes them as eras do, from
    // 1): such a date would not survive being written and read again. The
    // limit is ICU's 0001-01-01T00:00:00Z, in the Julian calendar it uses
    // before 1582.
    constexpr Date kFirstWritable{std::chrono::milliseconds(-62135769600000)};
    // At the other end the reader stops after the year 144683, so a date
    // later than 144683-12-31T23:59:59.999Z in UTC ("144683-12-31T23:59:59-14:00")
    // would be written as a year it refuses.
    constexpr Date kLastWritable{std::chrono::milliseconds(4503618835199999)};
    if (date && (*date < kFirstWritable || *date > kLastWritable)) return std::nullopt;
    return date;
}

std::optional<Date> ISO8601DateFormatter::date(std::string_view text) const {
    const auto quick = detail::quickDate(detail::trimWhiteSpaceAndNewlines(text));
    if (quick && quick->byISO8601) return quick->date;
    return detail::icuPatternDate(kDateFormats, text);
}

}  // namespace syndra
