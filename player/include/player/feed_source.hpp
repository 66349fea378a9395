#pragma once

#include <platform/scheduler.hpp>
#include <syndra/feed.hpp>
#include <syndra/parser_error.hpp>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace player {

/// One load of the feed.
struct FeedLoad {
    syndra::Result result;
    /// Set when the feed could not be read afresh and `result` is the last
    /// good copy, kept from before: why it could not.
    std::optional<syndra::ParserError> staleBecause = std::nullopt;
};

/// Reads and parses the podcast's feed off the main thread.
class FeedSource {
public:
    virtual ~FeedSource() = default;
    /// Starts one download and parse; `done` runs later on the main thread,
    /// unless the source is destroyed first.
    virtual void load(std::function<void(FeedLoad)> done) = 0;
};

/// The feed at a URL, parsed with Syndra on the scheduler's background pool.
/// With a cache directory it keeps the last good feed there with the
/// server's validators: it asks the server for the feed only if it changed,
/// and when the network is down it hands out the kept copy. Destroying the
/// source aborts a download in progress, so that quitting never waits for the
/// network, and its result is dropped.
class SyndraFeedSource final : public FeedSource {
public:
    SyndraFeedSource(std::string url, platform::Scheduler& scheduler,
                     std::filesystem::path cacheDirectory = {});
    ~SyndraFeedSource() override;
    SyndraFeedSource(const SyndraFeedSource&) = delete;
    SyndraFeedSource& operator=(const SyndraFeedSource&) = delete;

    void load(std::function<void(FeedLoad)> done) override;

    struct State;

private:
    platform::Scheduler& scheduler_;
    std::shared_ptr<State> state_;
};

}  // namespace player
