#include "detail/json_feed_decoding.hpp"

namespace syndra::detail {

Result decodeJSONFeed(std::string_view) {
    return ParserError::internalError("JSON Feed documents are not supported yet");
}

}  // namespace syndra::detail
