#pragma once

#include <syndra/export.hpp>
#include <syndra/feed.hpp>
#include <syndra/summary.hpp>

#include <string>

namespace syndra {

/// The feed as JSON, for tools and tests:
///   {"kind":"rss"|"atom"|"json","feed":{...}}
/// Keys are the model's field names in declaration order; absent fields are
/// left out, an existing but empty list prints as []. Dates print as RFC 3339
/// UTC ("2003-06-10T04:00:00Z", with ".120" milliseconds only when not zero),
/// in the calendar the date readers use (Julian before 1582), as text
/// RFC3339DateFormatter reads back (years past 9999 with all their digits);
/// enumerations as their raw values; a number that is not finite as the string
/// "inf", "-inf" or "nan". Invalid UTF-8 in texts is replaced by U+FFFD.
/// `indent` < 0 gives one line; otherwise the output is pretty-printed with
/// that many spaces per level (at most 32).
SYNDRA_EXPORT std::string toJSON(const Feed& feed, int indent = -1);

/// A summary as JSON, in the same manner: members named as in Summary, empty
/// texts, lists and absent values left out.
SYNDRA_EXPORT std::string toJSON(const Summary& summary, int indent = -1);

}  // namespace syndra
