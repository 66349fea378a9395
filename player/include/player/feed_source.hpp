#pragma once

#include <platform/scheduler.hpp>
#include <syndra/feed.hpp>
#include <syndra/feed_parser.hpp>

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace player {

/// Reads and parses the podcast's feed off the main thread.
class FeedSource {
public:
    virtual ~FeedSource() = default;
    /// Starts one download and parse; `done` runs later on the main thread
    /// with the result, unless the source is destroyed first. Each call reads
    /// afresh.
    virtual void load(std::function<void(syndra::Result)> done) = 0;
};

/// The feed at a URL, parsed with Syndra on the scheduler's background pool.
/// Destroying it aborts a download in progress, so that quitting never waits
/// for the network, and its result is dropped.
class SyndraFeedSource final : public FeedSource {
public:
    SyndraFeedSource(std::string url, platform::Scheduler& scheduler);
    ~SyndraFeedSource() override;
    SyndraFeedSource(const SyndraFeedSource&) = delete;
    SyndraFeedSource& operator=(const SyndraFeedSource&) = delete;

    void load(std::function<void(syndra::Result)> done) override;

    struct Delivery;

private:
    std::string url_;
    platform::Scheduler& scheduler_;
    std::shared_ptr<Delivery> delivery_;
    std::optional<syndra::FeedParser> parser_;
};

}  // namespace player
