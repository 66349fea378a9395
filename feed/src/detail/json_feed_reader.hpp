#pragma once

#include <syndra/date_formatters.hpp>
#include <syndra/json_feed.hpp>

#include "detail/limits.hpp"

#include <optional>
#include <string_view>

namespace syndra::detail {

/// Reads a JSON Feed document in one pass straight into the model, without a
/// JSON tree in between. The feed is exactly the one the keyed decoder gives
/// for the same bytes (dates through `dates`). Whenever that decoder would
/// fail, or might read the bytes differently (a member given twice, a number
/// written unusually, a byte-order mark), the answer is nothing: the caller
/// then decodes the careful way, which also explains any failure. With a
/// budget, the read also stops (with nothing) once the model is past its
/// limits.
std::optional<JSONFeed> readJSONFeed(std::string_view bytes, const DateFormatter& dates,
                                     ModelBudget* budget = nullptr);

}  // namespace syndra::detail
