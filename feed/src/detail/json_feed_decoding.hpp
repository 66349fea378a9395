#pragma once

#include <syndra/feed.hpp>

#include <string_view>

namespace syndra::detail {

/// Decodes a JSON Feed document (UTF-8 bytes) into the json case of Feed, or
/// an internalError whose reason names the member that failed.
Result decodeJSONFeed(std::string_view bytes);

}  // namespace syndra::detail
