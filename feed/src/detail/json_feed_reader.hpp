#pragma once

#include <syndra/date_formatters.hpp>
#include <syndra/json_feed.hpp>
#include <syndra/warning.hpp>

#include "detail/limits.hpp"

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace syndra::detail {

/// Reads a JSON Feed document in one pass straight into the model, without a
/// JSON tree in between. The feed is exactly the one the keyed decoder gives
/// for the same bytes (dates through `dates`). Whenever that decoder would
/// fail, or might read the bytes differently (a member given twice, a number
/// written unusually, a byte-order mark), the answer is nothing: the caller
/// then decodes the careful way, which also explains any failure. With a
/// budget, the read also stops (with nothing) once the model is past its
/// limits.
///
/// With `warnings`, the read recovers instead: a member of the wrong type, or
/// whose value does not convert, is dropped and so is an item without a
/// usable id, each with a warning naming its place ("items[0].date_published").
/// Only JSON that is not JSON, or more than 100 000 warnings, give nothing.
std::optional<JSONFeed> readJSONFeed(std::string_view bytes, const DateFormatter& dates,
                                     ModelBudget* budget = nullptr,
                                     std::vector<Warning>* warnings = nullptr);

enum class Exactly { integer, fraction, outOfRange };

/// What the JSON number literal `text` is, decided on its digits rather than
/// on a double: an integer within 64 bits (in `value`), a number with a
/// fraction ("1e-400", "1.5"), or an integer outside 64 bits. "3.0" and "1e2"
/// are integers.
Exactly exactInteger(std::string_view text, std::int64_t& value);

}  // namespace syndra::detail
