#include <player/podcast_view_model.hpp>

#include <player/broadcast_schedule.hpp>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <utility>

namespace player {
namespace {

using namespace std::chrono_literals;

std::string describe(const syndra::ParserError& error) {
    switch (error.errorCase()) {
        case syndra::ParserError::Case::feedNotFound:
            return error.caseName();
        case syndra::ParserError::Case::feedCDATABlockEncodingError:
            return std::string(error.caseName()) + "(" + error.path() + ")";
        case syndra::ParserError::Case::internalError:
            return std::string(error.caseName()) + "(" + error.reason() + ")";
    }
    return error.caseName();
}

// Replaces the first occurrence of `from` in `text` with `to`.
std::string replaceFirst(std::string text, std::string_view from, std::string_view to) {
    const auto at = text.find(from);
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}

QString replaceFirst(QString text, const QString& from, const QString& to) {
    const qsizetype at = text.indexOf(from);
    if (at >= 0) text.replace(at, from.size(), to);
    return text;
}

// Retry delays in seconds: quick at first, then a steady pace that costs
// nothing while a host is down for hours.
constexpr double kFeedBackoff[] = {5, 15, 30, 60, 120};
constexpr double kStreamBackoff[] = {2, 5, 10, 20, 30};

template <std::size_t N>
double backoff(const double (&steps)[N], int attempt) {
    return steps[std::min<std::size_t>(static_cast<std::size_t>(attempt), N - 1)];
}

// A reopened stream that has played this long is trusted again: its next
// failure is news and starts the back-off afresh.
constexpr double kHealthyAfter = 60.0;
// A seek takes a moment to show in the position; don't judge drift before.
constexpr double kSeekSettle = 5.0;
// Wall and monotonic time drift apart by milliseconds; seconds mean a jump.
constexpr double kJumpNotice = 5.0;

double slotStart(std::int64_t slot) {
    return double(kScheduleEpoch) + double(slot) * double(kSlotLength);
}

bool isAudio(const std::optional<syndra::Text>& type) {
    return type && QString::fromStdString(type->str())
                       .contains(QLatin1String("audio"), Qt::CaseInsensitive);
}

// Only these are streams; anything else (data:, fd://, a local device) is
// not opened on the word of a feed.
bool playableScheme(const std::string& url) {
    const QString scheme = QUrl(QString::fromStdString(url)).scheme().toLower();
    return scheme.isEmpty() || scheme == QLatin1String("http") ||
           scheme == QLatin1String("https") || scheme == QLatin1String("file");
}

// The item's episode: its first audio Media RSS content's URL (even when
// that has none), else its enclosure's when that is audio.
std::optional<syndra::Text> episodeURLOf(const syndra::RSSFeedItem& item) {
    if (item.media && item.media->mediaContents) {
        const auto& contents = *item.media->mediaContents;
        const auto audio = std::find_if(contents.begin(), contents.end(), [](const auto& content) {
            return content.attributes && isAudio(content.attributes->type);
        });
        if (audio != contents.end()) return audio->attributes->url;
    }
    // Most podcasts carry their audio in the enclosure alone.
    if (item.enclosure && item.enclosure->attributes && isAudio(item.enclosure->attributes->type)) {
        return item.enclosure->attributes->url;
    }
    return std::nullopt;
}

// "Morning Show #42" → "42": the last non-empty piece between "#"s, lowered.
std::optional<QString> lastHashPiece(const QString& title) {
    const QStringList pieces = title.split(QLatin1Char('#'), Qt::SkipEmptyParts);
    if (pieces.isEmpty()) return std::nullopt;
    return pieces.last().toLower();
}

}  // namespace

PodcastViewModel::PodcastViewModel(PlayerServices services, QObject* parent)
    : QObject(parent), services_(std::move(services)) {}

PodcastViewModel::~PodcastViewModel() = default;

void PodcastViewModel::setShowingAlert(bool showing) {
    publish(showingAlert_, showing);
}

void PodcastViewModel::loadFeed() {
    awaitingFeed_ = true;
    startLoad();
}

void PodcastViewModel::startLoad() {
    // One load at a time; a load already running serves whoever waits.
    if (loading_) return;
    loading_ = true;
    if (!clockWatch_) {
        lastWall_ = services_.clock->now();
        lastMonotonic_ = services_.clock->monotonic();
        clockWatch_ = services_.scheduler->startRepeating(
            1s, platform::guarded(lifetime_.guard(), [this] { watchClock(); }));
    }
    services_.feedSource->load(platform::guarded(lifetime_.guard(), [this](FeedLoad load) {
        loading_ = false;
        handleParseResult(std::move(load));
    }));
}

void PodcastViewModel::reportError(const QString& message) {
    publish(errorMessage_, message);
    // Set, not toggled: a second error while the alert is up must keep it up
    // (showing the newer message), not hide it.
    publish(showingAlert_, true);
}

void PodcastViewModel::withdrawError(const QString& message) {
    // The trouble is over and the radio plays: an alert still saying so
    // would only look like a new fault.
    if (showingAlert_ && errorMessage_ == message) publish(showingAlert_, false);
}

void PodcastViewModel::handleParseResult(FeedLoad load) {
    syndra::Result& result = load.result;
    if (const syndra::ParserError* error = result.error()) {
        return feedFailed(describe(*error), QString::fromStdString(error->localizedDescription()));
    }
    syndra::Feed& parsed = *result.feed();
    if (parsed.rssFeed() == nullptr) {
        const char* kind =
            parsed.kind() == syndra::Feed::Kind::atom ? "an Atom feed" : "a JSON Feed";
        const std::string message =
            std::string("The podcast feed is ") + kind + ", not an RSS feed";
        return feedFailed(message, QString::fromStdString(message));
    }
    std::vector<std::string> episodes = audioEpisodeURLs(*parsed.rssFeed(), services_.print);
    // A feed that keeps coming back empty is said once, like any failure.
    if (!episodes.empty() || !feedTroubleReported_) {
        services_.print("Days of podcast: " + std::to_string(episodes.size() / 24));
    }
    if (episodes.empty()) {
        const std::string message = "The podcast feed has no audio episodes";
        return feedFailed(message, QString::fromStdString(message));
    }
    feed_ = std::move(*parsed.rssFeed());
    episodes_ = std::move(episodes);
    if (load.staleBecause) {
        // The copy kept from before plays; the feed is read afresh soon.
        feedTrouble(describe(*load.staleBecause),
                    QString::fromStdString(load.staleBecause->localizedDescription()));
        retryFeedLater();
    } else {
        feedRetries_ = 0;
        ++feedRetry_;
        if (feedTroubleReported_) withdrawError(QString::fromStdString(feedTrouble_));
        feedTroubleReported_ = false;
    }
    // A refresh in the background changes what the next slot plays, not this.
    if (std::exchange(awaitingFeed_, false)) goOnAir();
}

void PodcastViewModel::feedTrouble(const std::string& line, const QString& message) {
    // Said once; the retries that follow fail quietly until one succeeds.
    if (feedTroubleReported_) return;
    feedTroubleReported_ = true;
    feedTrouble_ = message.toStdString();
    services_.print(line);
    reportError(message);
}

void PodcastViewModel::feedFailed(const std::string& line, const QString& message) {
    feedTrouble(line, message);
    retryFeedLater();
    if (episodes_.empty()) {
        phase_ = Phase::feedRetry;
        return;
    }
    // The last good feed plays on.
    if (std::exchange(awaitingFeed_, false)) goOnAir();
}

void PodcastViewModel::retryFeedLater() {
    // While a known feed plays, a few quick tries are enough: the next slot's
    // refresh tries again.
    if (!episodes_.empty() && feedRetries_ >= int(std::size(kFeedBackoff))) return;
    const std::uint64_t retry = ++feedRetry_;
    after(backoff(kFeedBackoff, feedRetries_++), [this, retry] {
        if (retry == feedRetry_) startLoad();
    });
}

void PodcastViewModel::goOnAir() {
    const double now = services_.clock->now();
    const auto count = static_cast<std::int64_t>(episodes_.size());
    const auto position = broadcastPosition(count, now);
    const std::optional<std::int64_t> slot = slotNumber(now);
    std::string trouble;
    if (const auto* error = std::get_if<ScheduleError>(&position)) {
        trouble = describe(*error);
    } else if (const auto& [index, minute, second] = std::get<BroadcastPosition>(position);
               !slot || index < 0 || index >= count || minute < 0 || second < 0) {
        trouble = "The system clock is set before the broadcast began (2020-09-13 12:26:40 UTC)";
    }
    if (!trouble.empty()) {
        // The clock watch tries again every second, quietly, until the clock
        // is put right.
        silence();
        phase_ = Phase::offAir;
        if (!clockTroubleReported_) {
            clockTroubleReported_ = true;
            clockTrouble_ = trouble;
            services_.print(trouble);
            reportError(QString::fromStdString(trouble));
        }
        return;
    }
    if (clockTroubleReported_) withdrawError(QString::fromStdString(clockTrouble_));
    clockTroubleReported_ = false;
    streamRetries_ = 0;
    streamTroubleReported_ = false;

    const auto index = static_cast<std::size_t>(std::get<BroadcastPosition>(position)[0]);
    const std::string text = replaceFirst(episodes_[index], "http:", "https:");
    announce(index);
    if (paused_) {
        // Unheard: what is on air is known, nothing is opened.
        silence();
        slot_ = *slot;
        episodeURL_ = QString::fromStdString(text);
        phase_ = Phase::paused;
        return;
    }
    services_.print(text);
    const QUrl url(QString::fromStdString(text), QUrl::StrictMode);
    if (!url.isValid() || url.isRelative()) {
        const std::string message = "Could not convert file to load to a URL";
        services_.print(message);
        reportError(QString::fromStdString(message));
        // Nothing to play in this slot: count down to the next one.
        silence();
        slot_ = *slot;
        phase_ = Phase::playing;
        ticked_ = false;
        return endSlot();
    }
    startEpisode(*slot, QString::fromStdString(text), url);
}

std::vector<std::string> PodcastViewModel::audioEpisodeURLs(const syndra::RSSFeed& feed,
                                                            const platform::LinePrinter& skipped) {
    std::vector<std::string> urls;
    if (!feed.items) return urls;
    for (const syndra::RSSFeedItem& item : *feed.items) {
        const std::optional<syndra::Text> url = episodeURLOf(item);
        if (!url) continue;
        if (!playableScheme(url->str())) {
            if (skipped)
                skipped("Skipped an episode that is not http, https or file: " + url->str());
            continue;
        }
        urls.push_back(url->str());
    }
    // Slots follow URL order; byte order of UTF-8 is code point order.
    std::sort(urls.begin(), urls.end());
    return urls;
}

QString PodcastViewModel::formattedTime() const {
    // Beyond ±2^63 s (or NaN) there is no sensible clock face.
    if (!std::isfinite(currentTime_) || std::fabs(currentTime_) >= 9.2e18)
        return QStringLiteral("--:--");
    const auto seconds = static_cast<long long>(currentTime_);
    char text[48];
    std::snprintf(text, sizeof text, "%02lld:%02lld", seconds / 60, seconds % 60);
    return QString::fromLatin1(text);
}

QString PodcastViewModel::feedLabel(const QString& urlText) const {
    services_.print(urlText.toStdString());
    const QString lookup = replaceFirst(urlText, QStringLiteral("https:"), QStringLiteral("http:"));
    services_.print(lookup.toStdString());
    const QString unlabeled = QStringLiteral("Unlabeled");
    if (!feed_ || !feed_->items) return unlabeled;
    const std::string key = lookup.toStdString();
    const auto& items = *feed_->items;
    const auto item = std::find_if(items.begin(), items.end(), [&](const syndra::RSSFeedItem& i) {
        return i.link && i.link->str() == key;
    });
    if (item == items.end() || !item->title) return unlabeled;
    return QStringLiteral("Show ") +
           lastHashPiece(QString::fromStdString(item->title->str())).value_or(unlabeled);
}

// ---- playback ---------------------------------------------------------------

void PodcastViewModel::startEpisode(std::int64_t slot, const QString& urlText, const QUrl& url) {
    const std::uint64_t episode = ++episode_;
    player_.reset();  // silence the previous stream before the next one opens
    phase_ = Phase::playing;
    slot_ = slot;
    episodeURL_ = urlText;
    episodeQUrl_ = url;
    started_ = false;
    seekable_ = false;
    ticked_ = false;
    lastPosition_ = 0.0;
    openedAt_ = lastAdvance_ = services_.clock->monotonic();

    const auto guard = lifetime_.guard();
    AudioPlayerEvents events;
    events.ready = platform::guarded(
        guard, [this, episode](bool seekable) { playerReady(episode, seekable); });
    events.endOfMedia = platform::guarded(guard, [this, episode] { episodeEnded(episode); });
    events.failed = platform::guarded(guard, [this, episode](const QString& error) {
        episodeFailed(episode, "Playback failed: " + error.toStdString());
    });
    events.metadataLoaded = platform::guarded(
        guard,
        [this, episode](const std::optional<QVariant>& title) { applyTitle(episode, title); });
    events.metadataFailed = platform::guarded(guard, [this, episode](const QString& error) {
        // A stream being reopened fails again quietly.
        if (episode == episode_ && !streamTroubleReported_) {
            services_.print("Failed to load metadata: " + error.toStdString());
        }
    });
    player_ = services_.players->open(url, std::move(events));
}

void PodcastViewModel::playerReady(std::uint64_t episode, bool seekable) {
    if (episode != episode_ || phase_ != Phase::playing || started_ || !player_) return;
    seekable_ = seekable;
    // The live second now, not when the stream was asked for: opening it
    // may have taken a while.
    const double offset = std::floor(secondsIntoSlot(services_.clock->now()));
    if (offset > 0.0) {
        if (seekable) {
            player_->seek(offset);
        } else {
            services_.print("The stream cannot seek; playing it from the start");
        }
    }
    player_->play();
    started_ = true;
    const double monotonic = services_.clock->monotonic();
    lastAdvance_ = seekedAt_ = healthySince_ = monotonic;
    lastPosition_ = player_->position();
    startProgressTimer();
    later([this] { publish(isPlaying_, true); });
}

void PodcastViewModel::setWheel(bool turning, double angle) {
    const bool wasTurning = wheelTurning_;
    const double oldAngle = wheelAngle_;
    publish(wheelTurning_, turning);
    publish(wheelAngle_, angle);
    emit wheelChanged(wasTurning, oldAngle);
}

void PodcastViewModel::startProgressTimer() {
    timer_ = services_.scheduler->startRepeating(
        1s, platform::guarded(lifetime_.guard(), [this] { tick(); }));
}

void PodcastViewModel::stopProgressTimer() {
    if (!timer_) return;
    later([this] { setWheel(false, 0.0); });
    timer_.reset();
}

void PodcastViewModel::tick() {
    if (!player_) return;
    ticked_ = true;
    publish(currentTime_, player_->position());
    if (onAir_ && onAir_->length <= 0.0) {
        if (const double length = player_->duration(); std::isfinite(length) && length > 0.0) {
            onAir_->length = length;
            emit broadcastChanged();
        }
    }
    later([this] { setWheel(true, -360.0); });
}

void PodcastViewModel::watchClock() {
    const double now = services_.clock->now();
    const double monotonic = services_.clock->monotonic();
    const double jump = (now - lastWall_) - (monotonic - lastMonotonic_);
    lastWall_ = now;
    lastMonotonic_ = monotonic;
    if (std::fabs(jump) >= kJumpNotice) {
        services_.print("The clock jumped by " + std::to_string(std::llround(jump)) +
                        " s; following it");
    }
    followTheClock(now, monotonic);
}

void PodcastViewModel::followTheClock(double now, double monotonic) {
    const std::optional<std::int64_t> onAir = slotNumber(now);
    switch (phase_) {
        case Phase::idle:
        case Phase::feedRetry:
            return;
        case Phase::offAir:
            if (!loading_) goOnAir();
            return;
        case Phase::reconnecting:
        case Phase::paused:
            if (onAir != slot_) goOnAir();
            return;
        case Phase::ended:
            restartWhenDue();
            return;
        case Phase::playing:
            break;
    }
    // What plays must be what the clock puts on air.
    if (onAir != slot_) return goOnAir();
    if (!started_) {
        if (monotonic - openedAt_ >= kStallLimit) {
            episodeFailed(episode_, "Playback failed: the episode did not start within 30 s");
        }
        return;
    }
    const double position = player_->position();
    const bool moved = position != lastPosition_;
    if (moved) {
        lastPosition_ = position;
        lastAdvance_ = monotonic;
    } else if (monotonic - lastAdvance_ >= kStallLimit) {
        return episodeFailed(episode_, "Playback stalled: the stream has not moved for 30 s");
    }
    if (monotonic - healthySince_ >= kHealthyAfter) {
        streamRetries_ = 0;
        streamTroubleReported_ = false;
    }
    // Only a stream that moves is put right: seeking a stalled one would make
    // its position look alive and hide the stall.
    const double live = secondsIntoSlot(now);
    if (moved && seekable_ && monotonic - seekedAt_ >= kSeekSettle &&
        std::fabs(position - live) > kDriftLimit) {
        services_.print("The stream is " + std::to_string(std::llround(position - live)) +
                        " s off the live second; moving it there");
        player_->seek(std::floor(live));
        seekedAt_ = monotonic;
        lastPosition_ = std::floor(live);
    }
}

void PodcastViewModel::episodeEnded(std::uint64_t episode) {
    if (episode != episode_ || phase_ != Phase::playing) return;
    endSlot();
}

void PodcastViewModel::endSlot() {
    const double now = services_.clock->now();
    // An episode that ends before its first tick (its slot is further along
    // than it is long) never reported where it is: the wait comes from the
    // clock, else it would count from the last episode's time.
    if (!ticked_) publish(currentTime_, secondsIntoSlot(now));
    phase_ = Phase::ended;
    endedAt_ = secondsIntoSlot(now);
    publish(isPlaying_, false);
    publish(hasEnded_, true);
    later([this] { setWheel(true, 3000.0); });

    // currentTime is the time elapsed in the slot, so this counts down to two
    // seconds into the next one.
    if (std::isfinite(currentTime_) && currentTime_ <= kSlotLength) {
        const long long wait = static_cast<long long>(kSlotLength) -
                               static_cast<long long>(currentTime_) + kWaitMargin;
        publish(titleLabel_, QStringLiteral("Next in %1 secs...").arg(wait));
    }
    stopProgressTimer();
    // The restart is due at a moment of the wall clock; the timer is exact
    // while nothing jumps, and the clock watch catches what a suspend or a
    // clock change moves.
    const double due = slotStart(slot_ + 1) + kWaitMargin - now;
    after(std::max(0.0, std::ceil(due * 1000.0) / 1000.0), [this] { restartWhenDue(); });
}

void PodcastViewModel::restartWhenDue() {
    if (phase_ != Phase::ended || loading_) return;
    const double now = services_.clock->now();
    const std::optional<std::int64_t> onAir = slotNumber(now);
    if (!onAir) return;
    const bool nextSlotBegun = *onAir == slot_ + 1 && secondsIntoSlot(now) >= kWaitMargin;
    const bool elsewhere = *onAir != slot_ && *onAir != slot_ + 1;
    // Set back into the part of the slot that has not been heard.
    const bool setBack = *onAir == slot_ && secondsIntoSlot(now) < endedAt_ - kDriftLimit;
    if (nextSlotBegun || elsewhere || setBack) restart();
}

void PodcastViewModel::episodeFailed(std::uint64_t episode, const std::string& why) {
    if (episode != episode_ || phase_ != Phase::playing) return;
    if (!streamTroubleReported_) {
        streamTroubleReported_ = true;
        services_.print(why);
    }
    retirePlayer();
    stopProgressTimer();
    if (isPlaying_) publish(isPlaying_, false);
    // The stream's own time no longer counts: the end path takes the clock's.
    ticked_ = false;
    const double delay = backoff(kStreamBackoff, streamRetries_++);
    const double now = services_.clock->now();
    // A retry that would land in the next slot is no use: that slot has its
    // own episode.
    if (slotNumber(now) != slot_ || secondsIntoSlot(now) + delay >= kSlotLength) return endSlot();
    phase_ = Phase::reconnecting;
    const std::uint64_t attempt = ++reconnectAttempt_;
    after(delay, [this, attempt] { reconnect(attempt); });
}

void PodcastViewModel::reconnect(std::uint64_t attempt) {
    if (phase_ != Phase::reconnecting || attempt != reconnectAttempt_) return;
    if (slotNumber(services_.clock->now()) != slot_) return goOnAir();
    startEpisode(slot_, episodeURL_, episodeQUrl_);
}

void PodcastViewModel::pause() {
    if (paused_) return;
    paused_ = true;
    silence();
    if (phase_ == Phase::playing || phase_ == Phase::reconnecting) phase_ = Phase::paused;
    emit broadcastChanged();
}

void PodcastViewModel::play() {
    if (!paused_) return;
    paused_ = false;
    emit broadcastChanged();
    if (phase_ == Phase::paused) goOnAir();
}

double PodcastViewModel::position() const {
    if (player_ && started_) return player_->position();
    if (phase_ == Phase::paused) return secondsIntoSlot(services_.clock->now());
    return currentTime_;
}

void PodcastViewModel::announce(std::size_t episode) {
    OnAir now;
    now.episode = static_cast<int>(episode);
    now.url = QString::fromStdString(replaceFirst(episodes_[episode], "http:", "https:"));
    if (feed_->title) now.show = QString::fromStdString(feed_->title->str());
    // The podcast's artwork, else the channel's image.
    if (feed_->iTunes && feed_->iTunes->iTunesImage && feed_->iTunes->iTunesImage->attributes &&
        feed_->iTunes->iTunesImage->attributes->href) {
        now.artURL = QString::fromStdString(feed_->iTunes->iTunesImage->attributes->href->str());
    } else if (feed_->image && feed_->image->url) {
        now.artURL = QString::fromStdString(feed_->image->url->str());
    }
    const auto& items = *feed_->items;
    const auto item = std::find_if(items.begin(), items.end(), [&](const syndra::RSSFeedItem& i) {
        const std::optional<syndra::Text> url = episodeURLOf(i);
        return url && url->str() == episodes_[episode];
    });
    if (item != items.end()) {
        if (item->title) now.title = QString::fromStdString(item->title->str());
        if (item->iTunes && item->iTunes->iTunesDuration && *item->iTunes->iTunesDuration > 0) {
            now.length = *item->iTunes->iTunesDuration;
        }
    }
    if (onAir_ == now) return;
    onAir_ = std::move(now);
    emit broadcastChanged();
}

void PodcastViewModel::silence() {
    // Events of the stream that was on are dropped from here on.
    ++episode_;
    ++reconnectAttempt_;
    retirePlayer();
    stopProgressTimer();
    if (isPlaying_) publish(isPlaying_, false);
}

void PodcastViewModel::retirePlayer() {
    if (!player_) return;
    // The player may be the caller, in the middle of its own signal: it is
    // destroyed on a later turn of the loop, never from inside its callback.
    std::shared_ptr<AudioPlayer> retired(std::move(player_));
    services_.scheduler->post([retired] {});
}

void PodcastViewModel::restart() {
    feedRetries_ = 0;
    publish(hasEnded_, false);
    loadFeed();
}

void PodcastViewModel::applyTitle(std::uint64_t episode, const std::optional<QVariant>& title) {
    // A title of an episode that has since been replaced must not label this one.
    if (episode != episode_) return;
    QString label;
    if (!title) {
        label = feedLabel(episodeURL_);
    } else if (title->typeId() == QMetaType::QString) {
        label = lastHashPiece(title->toString()).value_or(QStringLiteral("# Unknown"));
    } else {
        label = QStringLiteral("# Unknown");
    }
    publish(titleLabel_, label);
}

}  // namespace player
