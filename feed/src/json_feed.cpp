#include <syndra/json_feed.hpp>

#include "detail/icu_dates.hpp"
#include "detail/json_feed_codec.hpp"

namespace syndra {

std::string encodeJSONFeed(const JSONFeed& feed, int indent) {
    const platform::json::DateWriter dates = [](Date date) { return detail::formatRFC3339(date); };
    return platform::json::encode(feed, dates, indent);
}

}  // namespace syndra
