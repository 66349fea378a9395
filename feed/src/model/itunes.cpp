#include "detail/attribute_reading.hpp"

#include <syndra/mapping.hpp>

#include <syndra/itunes.hpp>

namespace syndra {

using namespace detail;

// Each reader fills the optional it returns, so the attributes are built where
// they end up instead of being moved there field by field. (It emplaces an
// empty value: clang does not count these nested classes as default
// constructible outside their enclosing class.)

template <>
std::optional<ITunesSubCategory::Attributes> attributesFrom<ITunesSubCategory>(
    const AttributeMap& map) {
    using Attributes = ITunesSubCategory::Attributes;
    std::optional<Attributes> result;
    if (map.empty()) return result;
    Attributes& a = result.emplace(Attributes{});
    a.text = textAttribute(map, "text");
    return result;
}

template <>
std::optional<ITunesCategory::Attributes> attributesFrom<ITunesCategory>(const AttributeMap& map) {
    using Attributes = ITunesCategory::Attributes;
    std::optional<Attributes> result;
    if (map.empty()) return result;
    Attributes& a = result.emplace(Attributes{});
    a.text = textAttribute(map, "text");
    return result;
}

template <>
std::optional<ITunesImage::Attributes> attributesFrom<ITunesImage>(const AttributeMap& map) {
    using Attributes = ITunesImage::Attributes;
    std::optional<Attributes> result;
    if (map.empty()) return result;
    Attributes& a = result.emplace(Attributes{});
    a.href = textAttribute(map, "href");
    return result;
}

}  // namespace syndra
