#pragma once

#include <syndra/date.hpp>

#include <optional>
#include <string_view>

namespace syndra::detail {

/// A date read without ICU, and which formatter classes read the same text to
/// that same instant. A formatter whose flag is off may still read the text
/// (or not): the ICU path has to say.
struct QuickDate {
    Date date;
    bool byRFC822 = false;
    bool byRFC3339 = false;
    bool byISO8601 = false;
};

/// Reads `trimmed` (already trimmed of white space and line breaks) when it
/// has one of the shapes feeds use most, written the plain way:
///   "Tue, 10 Jun 2003 04:00:00 GMT", "10 Jun 2003 04:00 +0200",
///   "2003-06-10 04:00:00 -0500", "2003-06-10T04:00:00Z",
///   "2003-06-10T04:00:00.25+01:00".
/// The answer is exactly what the ICU patterns give. Anything unusual (other
/// letter case or spellings, odd spacing, out-of-range or missing fields, a
/// weekday that does not match the date, years before 1583, unusual zones)
/// gives nothing, and the caller asks ICU.
std::optional<QuickDate> quickDate(std::string_view trimmed) noexcept;

}  // namespace syndra::detail
