#pragma once

// Virtual time, a canned feed and a scriptable audio player, so that the
// model's whole hour-long loop runs in microseconds.

#include <platform/clock.hpp>
#include <platform/scheduler.hpp>
#include <player/audio_player.hpp>
#include <player/broadcast_schedule.hpp>
#include <player/feed_source.hpp>
#include <syndra/feed.hpp>

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace fakes {

/// A scheduler and clock in one, on virtual time: nothing runs until the test
/// advances the time. Timers follow the monotonic clock, as real ones do, so
/// a jump of the wall clock (a suspend, a clock set by hand) moves no timer.
class VirtualTime final : public platform::Scheduler, public platform::Clock {
public:
    explicit VirtualTime(double start) : wallOffset_(start) {}

    double now() const override { return mono_ + wallOffset_; }
    double monotonic() const override { return mono_; }

    void post(platform::Task task) override { add(mono_, 0.0, std::move(task), nullptr); }
    void postAfter(std::chrono::milliseconds delay, platform::Task task) override {
        add(mono_ + double(delay.count()) / 1000.0, 0.0, std::move(task), nullptr);
    }
    void runInBackground(platform::Task task) override {
        add(mono_, 0.0, std::move(task), nullptr);
    }
    std::unique_ptr<platform::TimerToken> startRepeating(std::chrono::milliseconds interval,
                                                         platform::Task tick) override {
        auto alive = std::make_shared<bool>(true);
        const double seconds = double(interval.count()) / 1000.0;
        add(mono_ + seconds, seconds, std::move(tick), alive);
        return std::make_unique<Token>(alive);
    }

    /// Runs everything due up to now + seconds, in time order, moving both clocks.
    void advance(double seconds) {
        const double until = mono_ + seconds;
        while (!queue_.empty() && queue_.begin()->first.first <= until) {
            auto node = queue_.extract(queue_.begin());
            Entry& entry = node.mapped();
            mono_ = std::max(mono_, node.key().first);
            if (entry.alive && !*entry.alive) continue;
            entry.task();
            if (afterEachTask) afterEachTask();
            if (entry.interval > 0.0 && (!entry.alive || *entry.alive)) {
                add(node.key().first + entry.interval, entry.interval, std::move(entry.task),
                    entry.alive);
            }
        }
        mono_ = until;
    }
    /// Runs what is due now, including what that posts.
    void drain() { advance(0.0); }
    /// Moves the wall clock alone, as a suspend or a clock change does.
    void jump(double seconds) { wallOffset_ += seconds; }

    std::function<void()> afterEachTask;

    /// Live repeating timers.
    int activeTimers() const {
        return int(std::count_if(queue_.begin(), queue_.end(),
                                 [](const auto& e) { return e.second.alive && *e.second.alive; }));
    }

private:
    struct Token final : platform::TimerToken {
        explicit Token(std::shared_ptr<bool> alive) : alive(std::move(alive)) {}
        ~Token() override { *alive = false; }
        std::shared_ptr<bool> alive;
    };
    struct Entry {
        double interval;
        platform::Task task;
        std::shared_ptr<bool> alive;
    };
    void add(double due, double interval, platform::Task task, std::shared_ptr<bool> alive) {
        queue_.emplace(std::make_pair(due, sequence_++),
                       Entry{interval, std::move(task), std::move(alive)});
    }

    double mono_ = 0.0;
    double wallOffset_;
    std::uint64_t sequence_ = 0;
    std::map<std::pair<double, std::uint64_t>, Entry> queue_;
};

/// Hands out a canned parse result on the main thread.
class FakeFeedSource final : public player::FeedSource {
public:
    explicit FakeFeedSource(platform::Scheduler& scheduler) : scheduler_(scheduler) {}
    void load(std::function<void(player::FeedLoad)> done) override {
        ++loads;
        if (log) log("load");
        scheduler_.post([this, done = std::move(done)] { done({next(), stale}); });
    }
    std::function<syndra::Result()> next;
    std::optional<syndra::ParserError> stale;  // when set, `next` is a kept copy
    int loads = 0;
    std::function<void(const std::string&)> log;

private:
    platform::Scheduler& scheduler_;
};

class FakeAudioPlayerFactory;

/// One opened stream; the test plays the media's part.
class FakeAudioPlayer final : public player::AudioPlayer {
public:
    FakeAudioPlayer(FakeAudioPlayerFactory& factory, QUrl url, player::AudioPlayerEvents events);
    ~FakeAudioPlayer() override;

    void seek(double seconds) override;
    void play() override;
    /// While playing, the position moves with the virtual clock, like a stream.
    double position() const override;

    void setPosition(double seconds);
    /// Freezes the position where it is, as a stalled stream would.
    void stall() {
        setPosition(position());
        stalled_ = true;
    }
    player::AudioPlayerEvents events;
    QUrl url;
    std::vector<double> seeks;
    bool playing = false;

private:
    FakeAudioPlayerFactory& factory_;
    double position_ = 0.0;
    double since_ = 0.0;
    bool stalled_ = false;
};

class FakeAudioPlayerFactory final : public player::AudioPlayerFactory {
public:
    explicit FakeAudioPlayerFactory(const platform::Clock& clock) : clock(clock) {}
    std::unique_ptr<player::AudioPlayer> open(const QUrl& url,
                                              player::AudioPlayerEvents events) override {
        opened.push_back(url);
        if (log) log("open " + url.toString().toStdString());
        auto p = std::make_unique<FakeAudioPlayer>(*this, url, std::move(events));
        current = p.get();
        return p;
    }
    std::vector<QUrl> opened;
    FakeAudioPlayer* current = nullptr;
    int alive = 0;
    const platform::Clock& clock;
    std::function<void(const std::string&)> log;  // what the streams are told
};

inline FakeAudioPlayer::FakeAudioPlayer(FakeAudioPlayerFactory& factory, QUrl url,
                                        player::AudioPlayerEvents events)
    : events(std::move(events)), url(std::move(url)), factory_(factory) {
    ++factory_.alive;
}
inline double FakeAudioPlayer::position() const {
    return playing && !stalled_ ? position_ + (factory_.clock.monotonic() - since_) : position_;
}
inline void FakeAudioPlayer::setPosition(double seconds) {
    position_ = seconds;
    since_ = factory_.clock.monotonic();
}
inline void FakeAudioPlayer::seek(double seconds) {
    seeks.push_back(seconds);
    setPosition(seconds);
    if (factory_.log) factory_.log("seek " + QString::number(seconds, 'g', 12).toStdString());
}
inline void FakeAudioPlayer::play() {
    setPosition(position());
    playing = true;
    if (factory_.log) factory_.log("play");
}
inline FakeAudioPlayer::~FakeAudioPlayer() {
    if (factory_.log) factory_.log("close");
    --factory_.alive;
    if (factory_.current == this) factory_.current = nullptr;
}

/// One item of a test feed.
struct Episode {
    std::vector<std::pair<std::string, std::optional<std::string>>> contents;  // type, url
    std::optional<std::string> link = std::nullopt;
    std::optional<std::string> title = std::nullopt;
    std::optional<std::string> enclosure = std::nullopt;
};

inline syndra::RSSFeed makeFeed(const std::vector<Episode>& episodes) {
    syndra::RSSFeed feed;
    feed.items.emplace();
    for (const Episode& e : episodes) {
        syndra::RSSFeedItem item;
        if (e.link) item.link = syndra::Text(*e.link);
        if (e.title) item.title = syndra::Text(*e.title);
        if (e.enclosure) {
            item.enclosure.emplace();
            item.enclosure->attributes.emplace();
            item.enclosure->attributes->url = syndra::Text(*e.enclosure);
            item.enclosure->attributes->type = syndra::Text("audio/mpeg");
        }
        if (!e.contents.empty()) {
            auto& media = item.media.emplace();
            media.mediaContents.emplace();
            for (const auto& [type, url] : e.contents) {
                syndra::MediaContent content;
                content.attributes.emplace();
                if (!type.empty()) content.attributes->type = syndra::Text(type);
                if (url) content.attributes->url = syndra::Text(*url);
                media.mediaContents->push_back(content);
            }
        }
        feed.items->push_back(std::move(item));
    }
    return feed;
}

/// n audio episodes ".../ep000.mp3" ... in feed order.
inline syndra::RSSFeed numberedFeed(int n, const std::string& prefix = "https://cdn.example/ep") {
    std::vector<Episode> episodes;
    for (int i = 0; i < n; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "%03d.mp3", i);
        episodes.push_back({{{"audio/mpeg", prefix + name}},
                            "http://show.example/ep" + std::to_string(i),
                            "Show #" + std::to_string(i)});
    }
    return makeFeed(episodes);
}

}  // namespace fakes
