#pragma once

// Reading one XML attribute into a model field: the attribute of exactly the
// given name, converted; missing or unconvertible values give nothing.

#include <syndra/attribute_map.hpp>
#include <syndra/conversions.hpp>
#include <syndra/text.hpp>

#include <cstdint>
#include <optional>
#include <string_view>

namespace syndra::detail {

inline std::optional<Text> textAttribute(const AttributeMap& map, std::string_view name) {
    if (auto value = map[name]) return Text(*value);
    return std::nullopt;
}

inline std::optional<std::int64_t> intAttribute(const AttributeMap& map, std::string_view name) {
    if (auto value = map[name]) return toInt(*value);
    return std::nullopt;
}

inline std::optional<bool> boolAttribute(const AttributeMap& map, std::string_view name) {
    if (auto value = map[name]) return toBool(*value);
    return std::nullopt;
}

inline std::optional<double> doubleAttribute(const AttributeMap& map, std::string_view name) {
    if (auto value = map[name]) return toDouble(*value);
    return std::nullopt;
}

/// Seconds, from "h:mm:ss"-style text.
inline std::optional<double> durationAttribute(const AttributeMap& map, std::string_view name) {
    if (auto value = map[name]) return toDuration(*value);
    return std::nullopt;
}

}  // namespace syndra::detail
