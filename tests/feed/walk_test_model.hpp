#pragma once

// A stand-in feed model and path tables for exercising the XML walk without
// the real vocabularies: every rule just records what it was called with.

#include "detail/xml_reader.hpp"
#include "detail/xml_walk.hpp"

#include <array>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace syndra::testing {

struct WalkModel {
    std::vector<std::string> events;
    friend bool operator==(const WalkModel&, const WalkModel&) = default;
};

inline constexpr std::array<std::string_view, 9> kWalkRssPaths = {
    "/rss",
    "/rss/channel",
    "/rss/channel/title",
    "/rss/channel/item",
    "/rss/channel/item/title",
    "/rss/channel/item/description",
    "/rss/channel/item/enclosure",
    "/rss/channel/item/itunes:duration",
    "/rss/channel/item/media:group/media:content",
};
inline constexpr std::array<std::string_view, 3> kWalkRdfPaths = {"/rdf:RDF", "/rdf:RDF/item",
                                                                  "/rdf:RDF/item/title"};
inline constexpr std::array<std::string_view, 4> kWalkAtomPaths = {
    "/feed", "/feed/title", "/feed/entry", "/feed/entry/title"};

template <const auto& Paths, std::size_t Row>
std::size_t recordStart(WalkModel& m, const AttributeMap& attributes) {
    std::string event = "<" + std::string(Paths[Row]);
    attributes.forEach([&](std::string_view name, std::string_view value) {
        event += " " + std::string(name) + "=" + std::string(value);
    });
    m.events.push_back(std::move(event));
    return 1;
}

template <const auto& Paths, std::size_t Row>
std::size_t recordText(WalkModel& m, std::string_view text) {
    m.events.push_back(std::string(Paths[Row]) + "=" + std::string(text));
    return text.size();
}

template <const auto& Paths, std::size_t... Rows>
constexpr auto makeWalkTable(std::index_sequence<Rows...>) {
    // Row 0 is the root; like the real tables it maps nothing.
    return std::array<detail::PathRule<WalkModel>, sizeof...(Rows)>{
        detail::PathRule<WalkModel>{Paths[Rows], Rows == 0 ? nullptr : &recordStart<Paths, Rows>,
                                    Rows == 0 ? nullptr : &recordText<Paths, Rows>}...};
}

inline constexpr auto kWalkRssTable =
    makeWalkTable<kWalkRssPaths>(std::make_index_sequence<kWalkRssPaths.size()>());
inline constexpr auto kWalkRdfTable =
    makeWalkTable<kWalkRdfPaths>(std::make_index_sequence<kWalkRdfPaths.size()>());
inline constexpr auto kWalkAtomTable =
    makeWalkTable<kWalkAtomPaths>(std::make_index_sequence<kWalkAtomPaths.size()>());

inline const detail::WalkTables<WalkModel, WalkModel>& walkTables() {
    static const detail::WalkTables<WalkModel, WalkModel> tables{kWalkRssTable, kWalkRdfTable,
                                                                 kWalkAtomTable};
    return tables;
}

inline const detail::PathIndex& walkIndex() {
    static const detail::PathIndex index = walkTables().makeIndex();
    return index;
}

using WalkOutcome = detail::XmlWalk<WalkModel, WalkModel>::Outcome;

/// Reads `document` through the real XML reader into the test model.
inline WalkOutcome walkDocument(std::string_view document,
                                const detail::XmlReadOptions& options = {}) {
    detail::XmlWalk<WalkModel, WalkModel> walk(walkIndex(), walkTables());
    detail::readXml(document, walk, options);
    return std::move(walk).finish();
}

/// The recorded events of a successful walk (RSS/RDF or Atom alike).
inline std::vector<std::string> eventsOf(const WalkOutcome& outcome) {
    if (outcome.index() == 1) return std::get<1>(outcome).events;
    if (outcome.index() == 2) return std::get<2>(outcome).events;
    return {};
}

/// The error's description when the walk failed, else "".
inline std::string errorOf(const WalkOutcome& outcome) {
    if (outcome.index() != 0) return {};
    return std::get<0>(outcome).errorDescription();
}

}  // namespace syndra::testing
