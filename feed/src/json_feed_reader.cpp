#include "detail/json_feed_one_pass.hpp"

namespace syndra::detail {

std::optional<JSONFeed> readJSONFeed(std::string_view bytes, const DateFormatter& dates,
                                     ModelBudget* budget, std::vector<Warning>* warnings) {
    if (warnings != nullptr) return one_pass::readRecovering(bytes, dates, budget, *warnings);
    JSONFeed feed;
    one_pass::Reader<false> reader(bytes, dates, budget, nullptr);
    if (!reader.document(feed)) return std::nullopt;
    return feed;
}

}  // namespace syndra::detail
