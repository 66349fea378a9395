#include <player/feed_source.hpp>

#include <mutex>

namespace player {

// Shared with the background task: the task may finish after the source and
// the scheduler are gone, so it delivers only under the lock, and only while
// the source lives.
struct SyndraFeedSource::Delivery {
    std::mutex mutex;
    platform::Scheduler* scheduler = nullptr;
};

SyndraFeedSource::SyndraFeedSource(std::string url, platform::Scheduler& scheduler)
    : url_(std::move(url)), scheduler_(scheduler), delivery_(std::make_shared<Delivery>()) {
    delivery_->scheduler = &scheduler_;
}

SyndraFeedSource::~SyndraFeedSource() {
    {
        const std::lock_guard lock(delivery_->mutex);
        delivery_->scheduler = nullptr;
    }
    if (parser_) parser_->abortParsing();
}

void SyndraFeedSource::load(std::function<void(syndra::Result)> done) {
    platform::Scheduler& scheduler = scheduler_;
    parser_ = syndra::FeedParser::fromURL(url_);
    parser_->parseAsync(
        [&scheduler](std::function<void()> task) { scheduler.runInBackground(std::move(task)); },
        [delivery = delivery_, done = std::move(done)](syndra::Result result) mutable {
            // Parsing happens in the background; the model lives on the main thread.
            auto shared = std::make_shared<syndra::Result>(std::move(result));
            const std::lock_guard lock(delivery->mutex);
            if (delivery->scheduler == nullptr) return;
            delivery->scheduler->post(
                [done = std::move(done), shared] { done(std::move(*shared)); });
        });
}

}  // namespace player
