#include "detail/xml_feed_parser.hpp"

#include "detail/path_table.hpp"
#include "detail/xml_walk.hpp"

#include <syndra/paths.hpp>

#include <utility>
#include <variant>

namespace syndra::detail {
namespace {

using Walk = XmlWalk<RSSFeed, AtomFeed>;

const WalkTables<RSSFeed, AtomFeed>& realTables() {
    static const WalkTables<RSSFeed, AtomFeed> tables{
        rssTable(),
        rdfTable(),
        atomTable(),
        {static_cast<std::int32_t>(RSSPath::channelItem), static_cast<std::int32_t>(RDFPath::item),
         static_cast<std::int32_t>(AtomPath::entry)}};
    return tables;
}

const PathIndex& realIndex() {
    static const PathIndex index = realTables().makeIndex();
    return index;
}

Result toResult(Walk::Outcome outcome) {
    switch (outcome.index()) {
        case 1:
            return Feed(std::move(std::get<1>(outcome)));
        case 2:
            return Feed(std::move(std::get<2>(outcome)));
        default:
            return std::move(std::get<0>(outcome));
    }
}

}  // namespace

Result parseXMLFeed(std::string_view document, const XmlReadOptions& options, ModelLimits limits) {
    Walk walk(realIndex(), realTables(), limits);
    readXml(document, walk, options);
    return toResult(std::move(walk).finish());
}

}  // namespace syndra::detail
