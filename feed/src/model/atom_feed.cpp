#include "detail/attribute_reading.hpp"

#include <syndra/mapping.hpp>

#include <syndra/atom_feed.hpp>

namespace syndra {

using namespace detail;

// Each reader fills the optional it returns, so the attributes are built where
// they end up instead of being moved there field by field. (It emplaces an
// empty value: clang does not count these nested classes as default
// constructible outside their enclosing class.)

template <>
std::optional<AtomFeedSubtitle::Attributes> attributesFrom<AtomFeedSubtitle>(
    const AttributeMap& map) {
    using Attributes = AtomFeedSubtitle::Attributes;
    std::optional<Attributes> result;
    if (map.empty()) return result;
    Attributes& a = result.emplace(Attributes{});
    a.type = textAttribute(map, "type");
    return result;
}

template <>
std::optional<AtomFeedLink::Attributes> attributesFrom<AtomFeedLink>(const AttributeMap& map) {
    using Attributes = AtomFeedLink::Attributes;
    std::optional<Attributes> result;
    if (map.empty()) return result;
    Attributes& a = result.emplace(Attributes{});
    a.href = textAttribute(map, "href");
    a.rel = textAttribute(map, "rel");
    a.type = textAttribute(map, "type");
    a.hreflang = textAttribute(map, "hreflang");
    a.title = textAttribute(map, "title");
    a.length = intAttribute(map, "length");
    return result;
}

template <>
std::optional<AtomFeedCategory::Attributes> attributesFrom<AtomFeedCategory>(
    const AttributeMap& map) {
    using Attributes = AtomFeedCategory::Attributes;
    std::optional<Attributes> result;
    if (map.empty()) return result;
    Attributes& a = result.emplace(Attributes{});
    a.term = textAttribute(map, "term");
    a.scheme = textAttribute(map, "scheme");
    a.label = textAttribute(map, "label");
    return result;
}

template <>
std::optional<AtomFeedGenerator::Attributes> attributesFrom<AtomFeedGenerator>(
    const AttributeMap& map) {
    using Attributes = AtomFeedGenerator::Attributes;
    std::optional<Attributes> result;
    if (map.empty()) return result;
    Attributes& a = result.emplace(Attributes{});
    a.uri = textAttribute(map, "uri");
    a.version = textAttribute(map, "version");
    return result;
}

template <>
std::optional<AtomFeedEntrySummary::Attributes> attributesFrom<AtomFeedEntrySummary>(
    const AttributeMap& map) {
    using Attributes = AtomFeedEntrySummary::Attributes;
    std::optional<Attributes> result;
    if (map.empty()) return result;
    Attributes& a = result.emplace(Attributes{});
    a.type = textAttribute(map, "type");
    return result;
}

template <>
std::optional<AtomFeedEntryLink::Attributes> attributesFrom<AtomFeedEntryLink>(
    const AttributeMap& map) {
    using Attributes = AtomFeedEntryLink::Attributes;
    std::optional<Attributes> result;
    if (map.empty()) return result;
    Attributes& a = result.emplace(Attributes{});
    a.href = textAttribute(map, "href");
    a.rel = textAttribute(map, "rel");
    a.type = textAttribute(map, "type");
    a.hreflang = textAttribute(map, "hreflang");
    a.title = textAttribute(map, "title");
    a.length = intAttribute(map, "length");
    return result;
}

template <>
std::optional<AtomFeedEntryCategory::Attributes> attributesFrom<AtomFeedEntryCategory>(
    const AttributeMap& map) {
    using Attributes = AtomFeedEntryCategory::Attributes;
    std::optional<Attributes> result;
    if (map.empty()) return result;
    Attributes& a = result.emplace(Attributes{});
    a.term = textAttribute(map, "term");
    a.scheme = textAttribute(map, "scheme");
    a.label = textAttribute(map, "label");
    return result;
}

template <>
std::optional<AtomFeedEntryContent::Attributes> attributesFrom<AtomFeedEntryContent>(
    const AttributeMap& map) {
    using Attributes = AtomFeedEntryContent::Attributes;
    std::optional<Attributes> result;
    if (map.empty()) return result;
    Attributes& a = result.emplace(Attributes{});
    a.type = textAttribute(map, "type");
    a.src = textAttribute(map, "src");
    return result;
}

}  // namespace syndra
