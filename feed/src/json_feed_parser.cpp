#include "detail/json_feed_decoding.hpp"

#include <syndra/date_formatters.hpp>

#include "detail/json_feed_codec.hpp"
#include "detail/json_feed_reader.hpp"

#include <exception>
#include <utility>
#include <variant>

namespace syndra::detail {

Result decodeJSONFeed(std::string_view bytes) {
    try {
        const RFC3339DateFormatter dates;
        // Sound documents are read in one pass; the keyed decoder takes the
        // rest and says what is wrong with them.
        if (auto feed = readJSONFeed(bytes, dates)) return Feed(std::move(*feed));
        auto decoded = platform::json::decode<JSONFeed>(
            bytes, [&dates](std::string_view text) { return dates.date(text); });
        if (auto* error = std::get_if<platform::json::DecodingError>(&decoded)) {
            return ParserError::internalError(error->localizedDescription());
        }
        return Feed(std::move(std::get<JSONFeed>(decoded)));
    } catch (const std::exception& e) {
        // Only allocation can fail here; it must not escape the parser.
        return ParserError::internalError(e.what());
    }
}

}  // namespace syndra::detail
