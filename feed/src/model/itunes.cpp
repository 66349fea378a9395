#include "detail/attribute_reading.hpp"

#include <syndra/itunes.hpp>

namespace syndra {

using namespace detail;

// Each `from` fills the optional it returns, so the attributes are built where
// they end up instead of being moved there field by field. (It emplaces an
// empty value: clang does not count these nested classes as default
// constructible outside their enclosing class.)

std::optional<ITunesSubCategory::Attributes> ITunesSubCategory::Attributes::from(
    const AttributeMap& map) {
    std::optional<Attributes> result;
    if (map.empty()) return result;
    Attributes& a = result.emplace(Attributes{});
    a.text = textAttribute(map, "text");
    return result;
}

ITunesSubCategory::ITunesSubCategory(const AttributeMap& map) : attributes(Attributes::from(map)) {}

std::optional<ITunesCategory::Attributes> ITunesCategory::Attributes::from(
    const AttributeMap& map) {
    std::optional<Attributes> result;
    if (map.empty()) return result;
    Attributes& a = result.emplace(Attributes{});
    a.text = textAttribute(map, "text");
    return result;
}

ITunesCategory::ITunesCategory(const AttributeMap& map) : attributes(Attributes::from(map)) {}

std::optional<ITunesImage::Attributes> ITunesImage::Attributes::from(const AttributeMap& map) {
    std::optional<Attributes> result;
    if (map.empty()) return result;
    Attributes& a = result.emplace(Attributes{});
    a.href = textAttribute(map, "href");
    return result;
}

ITunesImage::ITunesImage(const AttributeMap& map) : attributes(Attributes::from(map)) {}

}  // namespace syndra
