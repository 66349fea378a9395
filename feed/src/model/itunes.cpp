#include "detail/attribute_reading.hpp"

#include <syndra/itunes.hpp>

namespace syndra {

using namespace detail;

std::optional<ITunesSubCategory::Attributes> ITunesSubCategory::Attributes::from(
    const AttributeMap& map) {
    if (map.empty()) return std::nullopt;
    Attributes a;
    a.text = textAttribute(map, "text");
    return a;
}

ITunesSubCategory::ITunesSubCategory(const AttributeMap& map) : attributes(Attributes::from(map)) {}

std::optional<ITunesCategory::Attributes> ITunesCategory::Attributes::from(
    const AttributeMap& map) {
    if (map.empty()) return std::nullopt;
    Attributes a;
    a.text = textAttribute(map, "text");
    return a;
}

ITunesCategory::ITunesCategory(const AttributeMap& map) : attributes(Attributes::from(map)) {}

std::optional<ITunesImage::Attributes> ITunesImage::Attributes::from(const AttributeMap& map) {
    if (map.empty()) return std::nullopt;
    Attributes a;
    a.href = textAttribute(map, "href");
    return a;
}

ITunesImage::ITunesImage(const AttributeMap& map) : attributes(Attributes::from(map)) {}

}  // namespace syndra
