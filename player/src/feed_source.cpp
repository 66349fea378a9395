#include <player/feed_source.hpp>

#include <syndra/feed_parser.hpp>

namespace player {

SyndraFeedSource::SyndraFeedSource(std::string url, platform::Scheduler& scheduler)
    : url_(std::move(url)), scheduler_(scheduler) {}

void SyndraFeedSource::load(std::function<void(syndra::Result)> done) {
    platform::Scheduler& scheduler = scheduler_;
    syndra::FeedParser::fromURL(url_).parseAsync(
        [&scheduler](std::function<void()> task) { scheduler.runInBackground(std::move(task)); },
        [&scheduler, done = std::move(done)](syndra::Result result) mutable {
            // Parsing happens in the background; the model lives on the main thread.
            auto shared = std::make_shared<syndra::Result>(std::move(result));
            scheduler.post([done = std::move(done), shared] { done(std::move(*shared)); });
        });
}

}  // namespace player
