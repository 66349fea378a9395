#include "detail/path_table.hpp"

#include <array>

namespace syndra::detail {

std::span<const PathRule<RSSFeed>> rssTable() {
    static constexpr std::array<PathRule<RSSFeed>, 2> table{{{"/rss"}, {"/rss/channel"}}};
    return table;
}

std::span<const PathRule<RSSFeed>> rdfTable() {
    static constexpr std::array<PathRule<RSSFeed>, 2> table{{{"/rdf:RDF"}, {"/rdf:RDF/channel"}}};
    return table;
}

}  // namespace syndra::detail
