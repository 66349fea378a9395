#pragma once

// The parser's machinery, for programs that build or extend a model the way
// the parser does: the element paths of each vocabulary, the attribute view,
// reading an element's attributes into a model object, the path rules, and
// the date formatters. The model headers themselves hold data only.

#include <syndra/atom_feed.hpp>
#include <syndra/attribute_map.hpp>
#include <syndra/conversions.hpp>
#include <syndra/date_formatters.hpp>
#include <syndra/export.hpp>
#include <syndra/itunes.hpp>
#include <syndra/media.hpp>
#include <syndra/paths.hpp>
#include <syndra/rss_feed.hpp>

#include <cstdint>
#include <optional>
#include <string_view>
#include <type_traits>

namespace syndra {

/// The `Attributes` of model class T read from an element's attributes, each
/// field from the attribute its table row names, converted as its type says
/// (missing or unconvertible values give nothing); nothing when the element
/// has no attributes at all.
template <class T>
std::optional<typename T::Attributes> attributesFrom(const AttributeMap& map) {
    using Attributes = typename T::Attributes;
    std::optional<Attributes> result;
    if (map.empty()) return result;
    Attributes& made = result.emplace();
    forEachField<Attributes>([&](const auto& row) {
        const auto value = map[row.key];
        if (!value) return;
        auto& slot = made.*row.member;
        using Value = typename std::remove_cvref_t<decltype(slot)>::value_type;
        if constexpr (std::is_same_v<Value, Text>) {
            slot.emplace(*value);
        } else if constexpr (std::is_same_v<Value, std::int64_t>) {
            slot = toInt(*value);
        } else if constexpr (std::is_same_v<Value, bool>) {
            slot = toBool(*value);
        } else {
            static_assert(std::is_same_v<Value, Real>, "no attribute reading for this type");
            const auto number =
                row.reading == FieldReading::duration ? toDuration(*value) : toDouble(*value);
            if (number) slot = *number;
        }
    });
    return result;
}

/// A new model object for an element with attributes `map`.
template <class T>
T fromAttributes(const AttributeMap& map) {
    T value{};
    value.attributes = attributesFrom<T>(map);
    return value;
}

// What the parser does with each element of a recognised path: a model can be
// built (or extended) by calling these in document order. A path without such
// a rule changes nothing.

/// The element-start rule of an RSS 2.0 path: create the item, category,
/// enclosure, namespace object... that an element of `path` opens, from its
/// attributes where the class keeps them.
SYNDRA_EXPORT void mapAttributes(RSSFeed& feed, const AttributeMap& attributes, RSSPath path);
/// The text rule of an RSS 2.0 path for `text`, the whole text of one
/// element: kept in a text field, or converted (a date, an integer, a
/// duration...) into its field, unless an earlier element of the path filled
/// the field already; a list field gains what the text gives.
SYNDRA_EXPORT void mapCharacters(RSSFeed& feed, std::string_view text, RSSPath path);
/// The element-start rule of an RDF path (RDF attributes are not read).
SYNDRA_EXPORT void mapAttributes(RSSFeed& feed, RDFPath path);
/// The text rule of an RDF path for `text`.
SYNDRA_EXPORT void mapCharacters(RSSFeed& feed, std::string_view text, RDFPath path);
/// The element-start rule of an Atom path.
SYNDRA_EXPORT void mapAttributes(AtomFeed& feed, const AttributeMap& attributes, AtomPath path);
/// The text rule of an Atom path for `text`, likewise: into a text or a date
/// field that is still empty.
SYNDRA_EXPORT void mapCharacters(AtomFeed& feed, std::string_view text, AtomPath path);

}  // namespace syndra
