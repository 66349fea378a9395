#include "detail/json_feed_one_pass.hpp"

#include <algorithm>
#include <optional>

namespace syndra::detail {

std::optional<JSONFeed> readJSONFeed(std::string_view bytes, const DateFormatter& dates,
                                     ModelBudget* budget, std::vector<Warning>* warnings) {
    JSONFeed feed;
    if (warnings == nullptr) {
        one_pass::Reader<false> reader(bytes, dates, budget, nullptr);
        if (!reader.document(feed)) return std::nullopt;
        return feed;
    }
    // Most documents need no repair: the strict read, at its speed, and the
    // recovering one only where it fails.
    std::optional<ModelBudget> trial;
    if (budget != nullptr) trial.emplace(*budget);
    one_pass::Reader<false> reader(bytes, dates, trial ? &*trial : nullptr, nullptr);
    const auto hasId = [](const JSONFeedItem& item) { return item.id && !item.id->empty(); };
    if (reader.document(feed) &&
        (!feed.items || std::all_of(feed.items->begin(), feed.items->end(), hasId))) {
        if (budget != nullptr) *budget = std::move(*trial);
        return feed;
    }
    return one_pass::readRecovering(bytes, dates, budget, *warnings);
}

}  // namespace syndra::detail
