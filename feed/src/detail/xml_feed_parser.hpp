#pragma once

#include <syndra/feed.hpp>

#include "detail/xml_reader.hpp"
#include "detail/xml_walk.hpp"

#include <string_view>

namespace syndra::detail {

/// Parses an RSS, RDF or Atom document into the matching Feed.
Result parseXMLFeed(std::string_view document, const XmlReadOptions& options = {},
                    ModelLimits limits = {});

}  // namespace syndra::detail
