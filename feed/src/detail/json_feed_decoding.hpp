#pragma once

#include <syndra/date_formatters.hpp>
#include <syndra/feed.hpp>
#include <syndra/json_feed.hpp>

#include <platform/json/keyed_decoding.hpp>

#include <string_view>
#include <variant>

namespace syndra::detail {

/// Decodes a JSON Feed document (UTF-8 bytes) into the json case of Feed, or
/// an internalError whose reason names the member that failed.
Result decodeJSONFeed(std::string_view bytes);

/// The careful decoding: a JSON tree, then each record member by member, so a
/// failure names the member. An item "id" written as a number without a
/// fraction or exponent, of any length, reads as its literal text.
std::variant<JSONFeed, platform::json::DecodingError> decodeJSONFeedKeyed(
    std::string_view bytes, const DateFormatter& dates);

}  // namespace syndra::detail
