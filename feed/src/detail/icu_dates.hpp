#pragma once

#include <syndra/date.hpp>

#include <unicode/unistr.h>

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace syndra::detail {

/// Longer trimmed texts are not dates in any of our shapes; refusing them
/// keeps hostile input away from the ICU parser and the regular expression.
inline constexpr std::size_t kMaxDateTextLength = 256;

/// The text trimmed of white space and line breaks, in UTF-16 for ICU; nothing
/// when the trimmed text is longer than kMaxDateTextLength bytes.
std::optional<icu::UnicodeString> dateText(std::string_view text);

/// The first of `patterns` that reads the whole of `text` (already trimmed).
std::optional<Date> parseWithPatterns(std::span<const std::string_view> patterns,
                                      const icu::UnicodeString& text);

/// The RFC 822 parse: its patterns, then the weekday-stripped text with the
/// backup patterns.
std::optional<Date> parseRFC822(const icu::UnicodeString& text);

/// What toDate gives when every text goes through ICU: the RFC 822, RFC 3339
/// and ISO 8601 patterns in turn. The quick path must agree with it.
std::optional<Date> icuToDate(std::string_view text);

/// The ICU answer of RFC822DateFormatter::date.
std::optional<Date> icuRFC822Date(std::string_view text);

/// The ICU answer of a formatter with these patterns (RFC 3339, ISO 8601).
std::optional<Date> icuPatternDate(std::span<const std::string_view> patterns,
                                   std::string_view text);

/// "2003-06-10T04:00:00Z", with milliseconds (".250") only when there are
/// some; RFC3339DateFormatter reads it back as the same instant.
std::string formatRFC3339(Date date);

}  // namespace syndra::detail
