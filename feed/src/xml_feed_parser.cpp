#include "detail/xml_feed_parser.hpp"

#include "detail/path_table.hpp"
#include "detail/xml_walk.hpp"

#include <syndra/paths.hpp>

#include <optional>
#include <utility>
#include <variant>
#include <vector>

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
    std::optional<Walk> walk;
    std::vector<Warning> warnings = readXmlRecovering(
        document,
        [&]() -> XmlEventSink& {
            walk.emplace(realIndex(), realTables(), limits);
            return *walk;
        },
        options);
    Result result = toResult(std::move(*walk).finish());
    if (warnings.empty() || !result.isSuccess()) return result;
    return Result(std::move(*result.feed()), std::move(warnings));
}

}  // namespace syndra::detail
