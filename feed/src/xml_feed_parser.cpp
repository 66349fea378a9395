#include "detail/xml_feed_parser.hpp"

#include "detail/path_table.hpp"
#include "detail/xml_walk.hpp"

namespace syndra::detail {
namespace {

const WalkTables<RSSFeed, AtomFeed>& realTables() {
    static const WalkTables<RSSFeed, AtomFeed> tables{rssTable(), rdfTable(), atomTable()};
    return tables;
}

const PathIndex& realIndex() {
    static const PathIndex index = realTables().makeIndex();
    return index;
}

}  // namespace

Result parseXMLFeed(std::string_view document, const XmlReadOptions& options) {
    XmlWalk<RSSFeed, AtomFeed> walk(realIndex(), realTables());
    readXml(document, walk, options);
    auto outcome = std::move(walk).finish();
    switch (outcome.index()) {
        case 1:
            return Feed(std::move(std::get<1>(outcome)));
        case 2:
            return Feed(std::move(std::get<2>(outcome)));
        default:
            return std::move(std::get<0>(outcome));
    }
}

}  // namespace syndra::detail
