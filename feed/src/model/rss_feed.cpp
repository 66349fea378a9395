#include "detail/attribute_reading.hpp"

#include <syndra/mapping.hpp>

#include <syndra/rss_feed.hpp>

namespace syndra {

using namespace detail;

// Each reader fills the optional it returns, so the attributes are built where
// they end up instead of being moved there field by field. (It emplaces an
// empty value: clang does not count these nested classes as default
// constructible outside their enclosing class.)

template <>
std::optional<RSSFeedCategory::Attributes> attributesFrom<RSSFeedCategory>(
    const AttributeMap& map) {
    using Attributes = RSSFeedCategory::Attributes;
    std::optional<Attributes> result;
    if (map.empty()) return result;
    Attributes& a = result.emplace(Attributes{});
    a.domain = textAttribute(map, "domain");
    return result;
}

template <>
std::optional<RSSFeedCloud::Attributes> attributesFrom<RSSFeedCloud>(const AttributeMap& map) {
    using Attributes = RSSFeedCloud::Attributes;
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

template <>
std::optional<RSSFeedItemCategory::Attributes> attributesFrom<RSSFeedItemCategory>(
    const AttributeMap& map) {
    using Attributes = RSSFeedItemCategory::Attributes;
    std::optional<Attributes> result;
    if (map.empty()) return result;
    Attributes& a = result.emplace(Attributes{});
    a.domain = textAttribute(map, "domain");
    return result;
}

template <>
std::optional<RSSFeedItemEnclosure::Attributes> attributesFrom<RSSFeedItemEnclosure>(
    const AttributeMap& map) {
    using Attributes = RSSFeedItemEnclosure::Attributes;
    std::optional<Attributes> result;
    if (map.empty()) return result;
    Attributes& a = result.emplace(Attributes{});
    a.url = textAttribute(map, "url");
    a.length = intAttribute(map, "length");
    a.type = textAttribute(map, "type");
    return result;
}

template <>
std::optional<RSSFeedItemGUID::Attributes> attributesFrom<RSSFeedItemGUID>(
    const AttributeMap& map) {
    using Attributes = RSSFeedItemGUID::Attributes;
    std::optional<Attributes> result;
    if (map.empty()) return result;
    Attributes& a = result.emplace(Attributes{});
    a.isPermaLink = boolAttribute(map, "isPermaLink");
    return result;
}

template <>
std::optional<RSSFeedItemSource::Attributes> attributesFrom<RSSFeedItemSource>(
    const AttributeMap& map) {
    using Attributes = RSSFeedItemSource::Attributes;
    std::optional<Attributes> result;
    if (map.empty()) return result;
    Attributes& a = result.emplace(Attributes{});
    a.url = textAttribute(map, "url");
    return result;
}

}  // namespace syndra
