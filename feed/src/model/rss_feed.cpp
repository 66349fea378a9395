#include "detail/attribute_reading.hpp"

#include <syndra/rss_feed.hpp>

namespace syndra {

using namespace detail;

// Each `from` fills the optional it returns, so the attributes are built where
// they end up instead of being moved there field by field. (It emplaces an
// empty value: clang does not count these nested classes as default
// constructible outside their enclosing class.)

std::optional<RSSFeedCategory::Attributes> RSSFeedCategory::Attributes::from(
    const AttributeMap& map) {
    std::optional<Attributes> result;
    if (map.empty()) return result;
    Attributes& a = result.emplace(Attributes{});
    a.domain = textAttribute(map, "domain");
    return result;
}

RSSFeedCategory::RSSFeedCategory(const AttributeMap& map) : attributes(Attributes::from(map)) {}

std::optional<RSSFeedCloud::Attributes> RSSFeedCloud::Attributes::from(const AttributeMap& map) {
    std::optional<Attributes> result;
    if (map.empty()) return result;
    Attributes& a = result.emplace(Attributes{});
    a.domain = textAttribute(map, "domain");
    a.port = intAttribute(map, "port");
    a.path = textAttribute(map, "path");
    a.registerProcedure = textAttribute(map, "registerProcedure");
    a.protocolSpecification = textAttribute(map, "protocol");
    return result;
}

RSSFeedCloud::RSSFeedCloud(const AttributeMap& map) : attributes(Attributes::from(map)) {}

std::optional<RSSFeedItemCategory::Attributes> RSSFeedItemCategory::Attributes::from(
    const AttributeMap& map) {
    std::optional<Attributes> result;
    if (map.empty()) return result;
    Attributes& a = result.emplace(Attributes{});
    a.domain = textAttribute(map, "domain");
    return result;
}

RSSFeedItemCategory::RSSFeedItemCategory(const AttributeMap& map)
    : attributes(Attributes::from(map)) {}

std::optional<RSSFeedItemEnclosure::Attributes> RSSFeedItemEnclosure::Attributes::from(
    const AttributeMap& map) {
    std::optional<Attributes> result;
    if (map.empty()) return result;
    Attributes& a = result.emplace(Attributes{});
    a.url = textAttribute(map, "url");
    a.length = intAttribute(map, "length");
    a.type = textAttribute(map, "type");
    return result;
}

RSSFeedItemEnclosure::RSSFeedItemEnclosure(const AttributeMap& map)
    : attributes(Attributes::from(map)) {}

std::optional<RSSFeedItemGUID::Attributes> RSSFeedItemGUID::Attributes::from(
    const AttributeMap& map) {
    std::optional<Attributes> result;
    if (map.empty()) return result;
    Attributes& a = result.emplace(Attributes{});
    a.isPermaLink = boolAttribute(map, "isPermaLink");
    return result;
}

RSSFeedItemGUID::RSSFeedItemGUID(const AttributeMap& map) : attributes(Attributes::from(map)) {}

std::optional<RSSFeedItemSource::Attributes> RSSFeedItemSource::Attributes::from(
    const AttributeMap& map) {
    std::optional<Attributes> result;
    if (map.empty()) return result;
    Attributes& a = result.emplace(Attributes{});
    a.url = textAttribute(map, "url");
    return result;
}

RSSFeedItemSource::RSSFeedItemSource(const AttributeMap& map) : attributes(Attributes::from(map)) {}

}  // namespace syndra
