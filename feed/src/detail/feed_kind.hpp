#pragma once

#include <optional>
#include <string_view>

namespace syndra::detail {

enum class FeedDataKind { xml, json };

/// XML when the first visible character of the document's first 200 bytes is
/// "<", JSON when it is "{", else nothing. The bytes are read in the encoding a
/// byte-order mark (or UTF-16 "<?" without one) announces, UTF-8 otherwise.
std::optional<FeedDataKind> detectFeedDataKind(std::string_view bytes);

}  // namespace syndra::detail
