#pragma once

#include <syndra/feed.hpp>

#include "detail/xml_reader.hpp"
#include "detail/xml_walk.hpp"

#include <string_view>

namespace syndra::detail {

/// Parses an RSS, RDF or Atom document into the matching Feed. With
/// `options.recover`, a document expat rejects is read mended, and a success
/// lists the repairs in its warnings.
Result parseXMLFeed(std::string_view document, const XmlReadOptions& options = {},
                    ModelLimits limits = {});

}  // namespace syndra::detail
