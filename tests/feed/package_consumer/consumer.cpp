#include <syndra/feed_parser.hpp>

#include <cstdio>

int main() {
    syndra::Result result = syndra::FeedParser::fromData(
                                "<rss version=\"2.0\"><channel><title>Outside</title>"
                                "<item><title>One</title></item></channel></rss>")
                                .parse();
    const syndra::RSSFeed* rss = result.feed() != nullptr ? result.feed()->rssFeed() : nullptr;
    if (rss == nullptr || !rss->title || !rss->items) return 1;
    std::printf("%s %zu\n", rss->title->c_str(), rss->items->size());
    return 0;
}
