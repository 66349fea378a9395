#include "detail/attribute_reading.hpp"

#include <syndra/atom_feed.hpp>

namespace syndra {

using namespace detail;

// Each `from` fills the optional it returns, so the attributes are built where
// they end up instead of being moved there field by field. (It emplaces an
// empty value: clang does not count these nested classes as default
// constructible outside their enclosing class.)

std::optional<AtomFeedSubtitle::Attributes> AtomFeedSubtitle::Attributes::from(
    const AttributeMap& map) {
    std::optional<Attributes> result;
    if (map.empty()) return result;
    Attributes& a = result.emplace(Attributes{});
    a.type = textAttribute(map, "type");
    return result;
}

AtomFeedSubtitle::AtomFeedSubtitle(const AttributeMap& map) : attributes(Attributes::from(map)) {}

std::optional<AtomFeedLink::Attributes> AtomFeedLink::Attributes::from(const AttributeMap& map) {
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

AtomFeedLink::AtomFeedLink(const AttributeMap& map) : attributes(Attributes::from(map)) {}

std::optional<AtomFeedCategory::Attributes> AtomFeedCategory::Attributes::from(
    const AttributeMap& map) {
    std::optional<Attributes> result;
    if (map.empty()) return result;
    Attributes& a = result.emplace(Attributes{});
    a.term = textAttribute(map, "term");
    a.scheme = textAttribute(map, "scheme");
    a.label = textAttribute(map, "label");
    return result;
}

AtomFeedCategory::AtomFeedCategory(const AttributeMap& map) : attributes(Attributes::from(map)) {}

std::optional<AtomFeedGenerator::Attributes> AtomFeedGenerator::Attributes::from(
    const AttributeMap& map) {
    std::optional<Attributes> result;
    if (map.empty()) return result;
    Attributes& a = result.emplace(Attributes{});
    a.uri = textAttribute(map, "uri");
    a.version = textAttribute(map, "version");
    return result;
}

AtomFeedGenerator::AtomFeedGenerator(const AttributeMap& map) : attributes(Attributes::from(map)) {}

std::optional<AtomFeedEntrySummary::Attributes> AtomFeedEntrySummary::Attributes::from(
    const AttributeMap& map) {
    std::optional<Attributes> result;
    if (map.empty()) return result;
    Attributes& a = result.emplace(Attributes{});
    a.type = textAttribute(map, "type");
    return result;
}

AtomFeedEntrySummary::AtomFeedEntrySummary(const AttributeMap& map)
    : attributes(Attributes::from(map)) {}

std::optional<AtomFeedEntryLink::Attributes> AtomFeedEntryLink::Attributes::from(
    const AttributeMap& map) {
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

AtomFeedEntryLink::AtomFeedEntryLink(const AttributeMap& map) : attributes(Attributes::from(map)) {}

std::optional<AtomFeedEntryCategory::Attributes> AtomFeedEntryCategory::Attributes::from(
    const AttributeMap& map) {
    std::optional<Attributes> result;
    if (map.empty()) return result;
    Attributes& a = result.emplace(Attributes{});
    a.term = textAttribute(map, "term");
    a.scheme = textAttribute(map, "scheme");
    a.label = textAttribute(map, "label");
    return result;
}

AtomFeedEntryCategory::AtomFeedEntryCategory(const AttributeMap& map)
    : attributes(Attributes::from(map)) {}

std::optional<AtomFeedEntryContent::Attributes> AtomFeedEntryContent::Attributes::from(
    const AttributeMap& map) {
    std::optional<Attributes> result;
    if (map.empty()) return result;
    Attributes& a = result.emplace(Attributes{});
    a.type = textAttribute(map, "type");
    a.src = textAttribute(map, "src");
    return result;
}

AtomFeedEntryContent::AtomFeedEntryContent(const AttributeMap& map)
    : attributes(Attributes::from(map)) {}

}  // namespace syndra
