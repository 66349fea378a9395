#include "detail/attribute_reading.hpp"

#include <syndra/atom_feed.hpp>

namespace syndra {

using namespace detail;

std::optional<AtomFeedSubtitle::Attributes> AtomFeedSubtitle::Attributes::from(
    const AttributeMap& map) {
    if (map.empty()) return std::nullopt;
    Attributes a;
    a.type = textAttribute(map, "type");
    return a;
}

AtomFeedSubtitle::AtomFeedSubtitle(const AttributeMap& map) : attributes(Attributes::from(map)) {}

std::optional<AtomFeedLink::Attributes> AtomFeedLink::Attributes::from(const AttributeMap& map) {
    if (map.empty()) return std::nullopt;
    Attributes a;
    a.href = textAttribute(map, "href");
    a.rel = textAttribute(map, "rel");
    a.type = textAttribute(map, "type");
    a.hreflang = textAttribute(map, "hreflang");
    a.title = textAttribute(map, "title");
    a.length = intAttribute(map, "length");
    return a;
}

AtomFeedLink::AtomFeedLink(const AttributeMap& map) : attributes(Attributes::from(map)) {}

std::optional<AtomFeedCategory::Attributes> AtomFeedCategory::Attributes::from(
    const AttributeMap& map) {
    if (map.empty()) return std::nullopt;
    Attributes a;
    a.term = textAttribute(map, "term");
    a.scheme = textAttribute(map, "scheme");
    a.label = textAttribute(map, "label");
    return a;
}

AtomFeedCategory::AtomFeedCategory(const AttributeMap& map) : attributes(Attributes::from(map)) {}

std::optional<AtomFeedGenerator::Attributes> AtomFeedGenerator::Attributes::from(
    const AttributeMap& map) {
    if (map.empty()) return std::nullopt;
    Attributes a;
    a.uri = textAttribute(map, "uri");
    a.version = textAttribute(map, "version");
    return a;
}

AtomFeedGenerator::AtomFeedGenerator(const AttributeMap& map) : attributes(Attributes::from(map)) {}

std::optional<AtomFeedEntrySummary::Attributes> AtomFeedEntrySummary::Attributes::from(
    const AttributeMap& map) {
    if (map.empty()) return std::nullopt;
    Attributes a;
    a.type = textAttribute(map, "type");
    return a;
}

AtomFeedEntrySummary::AtomFeedEntrySummary(const AttributeMap& map)
    : attributes(Attributes::from(map)) {}

std::optional<AtomFeedEntryLink::Attributes> AtomFeedEntryLink::Attributes::from(
    const AttributeMap& map) {
    if (map.empty()) return std::nullopt;
    Attributes a;
    a.href = textAttribute(map, "href");
    a.rel = textAttribute(map, "rel");
    a.type = textAttribute(map, "type");
    a.hreflang = textAttribute(map, "hreflang");
    a.title = textAttribute(map, "title");
    a.length = intAttribute(map, "length");
    return a;
}

AtomFeedEntryLink::AtomFeedEntryLink(const AttributeMap& map) : attributes(Attributes::from(map)) {}

std::optional<AtomFeedEntryCategory::Attributes> AtomFeedEntryCategory::Attributes::from(
    const AttributeMap& map) {
    if (map.empty()) return std::nullopt;
    Attributes a;
    a.term = textAttribute(map, "term");
    a.scheme = textAttribute(map, "scheme");
    a.label = textAttribute(map, "label");
    return a;
}

AtomFeedEntryCategory::AtomFeedEntryCategory(const AttributeMap& map)
    : attributes(Attributes::from(map)) {}

std::optional<AtomFeedEntryContent::Attributes> AtomFeedEntryContent::Attributes::from(
    const AttributeMap& map) {
    if (map.empty()) return std::nullopt;
    Attributes a;
    a.type = textAttribute(map, "type");
    a.src = textAttribute(map, "src");
    return a;
}

AtomFeedEntryContent::AtomFeedEntryContent(const AttributeMap& map)
    : attributes(Attributes::from(map)) {}

}  // namespace syndra
