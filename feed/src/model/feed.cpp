#include <syndra/feed.hpp>

namespace syndra {

Feed::Feed(AtomFeed f) : value_(std::in_place_index<0>, std::move(f)) {}
Feed::Feed(RSSFeed f) : value_(std::in_place_index<1>, std::move(f)) {}
Feed::Feed(JSONFeed f) : value_(std::in_place_index<2>, std::move(f)) {}
Feed::Feed(const Feed&) = default;
Feed::Feed(Feed&&) noexcept = default;
Feed& Feed::operator=(const Feed&) = default;
Feed& Feed::operator=(Feed&&) noexcept = default;
Feed::~Feed() = default;

bool operator==(const Feed& a, const Feed& b) {
    return a.value_ == b.value_;
}

}  // namespace syndra
