#pragma once

// The contract between the XML walk and the vocabularies: each vocabulary is a
// table of element paths, each path with an element-start rule and a text rule.
// The walk builds its path index from these tables once and calls the rules;
// it knows nothing else about the models.

#include <syndra/atom_feed.hpp>
#include <syndra/attribute_map.hpp>
#include <syndra/rss_feed.hpp>

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace syndra::detail {

/// What the elements of a path make of their text.
enum class TextKind : std::uint8_t {
    /// One value converted from the text (a date, a number, a name).
    value,
    /// One text. An element that holds elements of its own, which no row
    /// maps, gives its inner markup as it stands.
    text,
    /// A list: each element adds what its text gives.
    values,
    /// A list of texts: each element adds one, with its inner markup.
    texts,
};

/// Whether an element of this kind keeps child elements as markup.
constexpr bool keepsMarkup(TextKind kind) noexcept {
    return kind == TextKind::text || kind == TextKind::texts;
}

/// A text rule with its kind, as the tables write it.
template <class Model>
struct TextRule {
    std::size_t (*apply)(Model&, std::string_view) = nullptr;
    TextKind kind = TextKind::value;
};

template <class Model>
struct PathRule {
    /// Whole element path, e.g. "/rss/channel/item/title".
    std::string_view path;
    /// Runs at the element's start; may be null. Both rules answer the bytes
    /// they added to the model (objects made, text kept), for its bound.
    std::size_t (*start)(Model&, const AttributeMap&) = nullptr;
    /// Runs once per element with the element's whole text (every adjacent
    /// piece of character data and CDATA joined); may be null.
    std::size_t (*text)(Model&, std::string_view) = nullptr;
    TextKind kind = TextKind::value;
};

/// Row i of each table is the path whose enumeration value is i
/// (RSSPath, RDFPath, AtomPath).
std::span<const PathRule<RSSFeed>> rssTable();
std::span<const PathRule<RSSFeed>> rdfTable();
std::span<const PathRule<AtomFeed>> atomTable();

}  // namespace syndra::detail
