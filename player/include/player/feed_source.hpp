#pragma once

#include <platform/scheduler.hpp>
#include <syndra/feed.hpp>

#include <functional>
#include <memory>
#include <string>

namespace player {

/// Reads and parses the podcast's feed off the main thread.
class FeedSource {
public:
    virtual ~FeedSource() = default;
    /// Starts one download and parse; `done` runs later on the main thread
    /// with the result. Each call reads afresh.
    virtual void load(std::function<void(syndra::Result)> done) = 0;
};

/// The feed at a URL, parsed with Syndra on the scheduler's background pool.
class SyndraFeedSource final : public FeedSource {
public:
    SyndraFeedSource(std::string url, platform::Scheduler& scheduler);
    void load(std::function<void(syndra::Result)> done) override;

private:
    std::string url_;
    platform::Scheduler& scheduler_;
};

}  // namespace player
