#include "detail/attribute_reading.hpp"

#include <syndra/rss_feed.hpp>

namespace syndra {

using namespace detail;

std::optional<RSSFeedCategory::Attributes> RSSFeedCategory::Attributes::from(
    const AttributeMap& map) {
    if (map.empty()) return std::nullopt;
    Attributes a;
    a.domain = textAttribute(map, "domain");
    return a;
}

RSSFeedCategory::RSSFeedCategory(const AttributeMap& map) : attributes(Attributes::from(map)) {}

std::optional<RSSFeedCloud::Attributes> RSSFeedCloud::Attributes::from(const AttributeMap& map) {
    if (map.empty()) return std::nullopt;
    Attributes a;
    a.domain = textAttribute(map, "domain");
    a.port = intAttribute(map, "port");
    a.path = textAttribute(map, "path");
    a.registerProcedure = textAttribute(map, "registerProcedure");
    a.protocolSpecification = textAttribute(map, "protocol");
    return a;
}

RSSFeedCloud::RSSFeedCloud(const AttributeMap& map) : attributes(Attributes::from(map)) {}

std::optional<RSSFeedItemCategory::Attributes> RSSFeedItemCategory::Attributes::from(
    const AttributeMap& map) {
    if (map.empty()) return std::nullopt;
    Attributes a;
    a.domain = textAttribute(map, "domain");
    return a;
}

RSSFeedItemCategory::RSSFeedItemCategory(const AttributeMap& map)
    : attributes(Attributes::from(map)) {}

std::optional<RSSFeedItemEnclosure::Attributes> RSSFeedItemEnclosure::Attributes::from(
    const AttributeMap& map) {
    if (map.empty()) return std::nullopt;
    Attributes a;
    a.url = textAttribute(map, "url");
    a.length = intAttribute(map, "length");
    a.type = textAttribute(map, "type");
    return a;
}

RSSFeedItemEnclosure::RSSFeedItemEnclosure(const AttributeMap& map)
    : attributes(Attributes::from(map)) {}

std::optional<RSSFeedItemGUID::Attributes> RSSFeedItemGUID::Attributes::from(
    const AttributeMap& map) {
    if (map.empty()) return std::nullopt;
    Attributes a;
    a.isPermaLink = boolAttribute(map, "isPermaLink");
    return a;
}

RSSFeedItemGUID::RSSFeedItemGUID(const AttributeMap& map) : attributes(Attributes::from(map)) {}

std::optional<RSSFeedItemSource::Attributes> RSSFeedItemSource::Attributes::from(
    const AttributeMap& map) {
    if (map.empty()) return std::nullopt;
    Attributes a;
    a.url = textAttribute(map, "url");
    return a;
}

RSSFeedItemSource::RSSFeedItemSource(const AttributeMap& map) : attributes(Attributes::from(map)) {}

}  // namespace syndra
