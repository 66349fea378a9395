#pragma once

#include <syndra/date_formatters.hpp>
#include <syndra/feed.hpp>
#include <syndra/json_feed.hpp>

#include <platform/json/keyed_decoding.hpp>

#include "detail/limits.hpp"

#include <string_view>
#include <variant>

namespace syndra::detail {

/// Decodes a JSON Feed document (UTF-8 bytes) into the json case of Feed, or
/// an internalError whose reason names the member that failed (kind syntax
/// for bytes that are not JSON, invalidJSONFeed for JSON of the wrong shape,
/// limitExceeded past `limits`). With `recover`, members that do not fit
/// their fields and items without an id are dropped with warnings instead
/// (see readJSONFeed).
Result decodeJSONFeed(std::string_view bytes, ModelLimits limits = {}, bool recover = false);

/// The careful decoding: a JSON tree, then each record member by member, so a
/// failure names the member. An item "id" written as a number without a
/// fraction or exponent, of any length, reads as its literal text.
/// With a budget, the tree counts against it, and the decoding stops once it
/// is exceeded (the budget then says why).
std::variant<JSONFeed, platform::json::DecodingError> decodeJSONFeedKeyed(
    std::string_view bytes, const DateFormatter& dates, ModelBudget* budget = nullptr);

}  // namespace syndra::detail
