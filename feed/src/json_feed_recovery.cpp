#include "detail/json_feed_one_pass.hpp"

namespace syndra::detail::one_pass {

std::optional<JSONFeed> readRecovering(std::string_view bytes, const DateFormatter& dates,
                                       ModelBudget* budget, std::vector<Warning>& warnings) {
    JSONFeed feed;
    Reader<true> reader(bytes, dates, budget, &warnings);
    if (!reader.document(feed)) return std::nullopt;
    return feed;
}

}  // namespace syndra::detail::one_pass
