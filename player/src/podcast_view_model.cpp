#include <player/podcast_view_model.hpp>

#include <player/broadcast_schedule.hpp>

#include <algorithm>
#include <cmath>
#include <cstdio>

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
    services_.feedSource->load(platform::guarded(lifetime_.guard(), [this](syndra::Result result) {
        handleParseResult(std::move(result));
    }));
}

void PodcastViewModel::reportError(const QString& message) {
    publish(errorMessage_, message);
    // Set, not toggled: a second error while the alert is up must keep it up
    // (showing the newer message), not hide it.
    publish(showingAlert_, true);
}

void PodcastViewModel::handleParseResult(syndra::Result result) {
    if (const syndra::ParserError* error = result.error()) {
        services_.print(describe(*error));
        reportError(QString::fromStdString(error->localizedDescription()));
        return;
    }
    syndra::Feed& parsed = *result.feed();
    if (parsed.rssFeed() == nullptr) {
        const char* kind =
            parsed.kind() == syndra::Feed::Kind::atom ? "an Atom feed" : "a JSON Feed";
        const std::string message =
            std::string("The podcast feed is ") + kind + ", not an RSS feed";
        services_.print(message);
        return reportError(QString::fromStdString(message));
    }
    feed_ = std::move(*parsed.rssFeed());

    const std::vector<std::string> episodes = audioEpisodeURLs(*feed_);
    const auto count = static_cast<std::int64_t>(episodes.size());
    services_.print("Days of podcast: " + std::to_string(count / 24));

    const auto position = broadcastPosition(count, *services_.clock);
    if (const auto* error = std::get_if<ScheduleError>(&position)) {
        const std::string message = *error == ScheduleError::noEpisodes
                                        ? "The podcast feed has no audio episodes"
                                        : describe(*error);
        services_.print(message);
        return reportError(QString::fromStdString(message));
    }
    const auto [slot, minute, second] = std::get<BroadcastPosition>(position);
    if (slot < 0 || slot >= count || minute < 0 || second < 0) {
        const std::string message =
            "The system clock is set before the broadcast began (2020-09-13 12:26:40 UTC)";
        services_.print(message);
        return reportError(QString::fromStdString(message));
    }

    const std::string text =
        replaceFirst(episodes[static_cast<std::size_t>(slot)], "http:", "https:");
    services_.print(text);
    const QUrl url(QString::fromStdString(text), QUrl::StrictMode);
    if (!url.isValid() || url.isRelative()) {
        const std::string message = "Could not convert file to load to a URL";
        services_.print(message);
        return reportError(QString::fromStdString(message));
    }
    startEpisode(QString::fromStdString(text), url, double(minute) * 60.0 + double(second));
}

std::vector<std::string> PodcastViewModel::audioEpisodeURLs(const syndra::RSSFeed& feed) {
    std::vector<std::string> urls;
    if (!feed.items) return urls;
    for (const syndra::RSSFeedItem& item : *feed.items) {
        if (!item.media || !item.media->mediaContents) continue;
        // Only the first audio content counts, even when it has no URL.
        const auto& contents = *item.media->mediaContents;
        const auto audio = std::find_if(contents.begin(), contents.end(), [](const auto& content) {
            return content.attributes && content.attributes->type &&
                   QString::fromStdString(*content.attributes->type)
                       .toLower()
                       .contains(QLatin1String("audio"));
        });
        if (audio != contents.end() && audio->attributes->url)
            urls.push_back(*audio->attributes->url);
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
           lastHashPiece(QString::fromStdString(*item->title)).value_or(unlabeled);
}

// ---- playback ---------------------------------------------------------------

void PodcastViewModel::startEpisode(const QString& urlText, const QUrl& url, double offset) {
    const std::uint64_t episode = ++episode_;
    player_.reset();  // silence the previous stream before the next one opens
    episodeURL_ = urlText;
    offset_ = offset;
    started_ = false;
    ended_ = false;
    ticked_ = false;
    lastPosition_ = 0.0;
    lastAdvance_ = services_.clock->now();

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
        if (episode == episode_) services_.print("Failed to load metadata: " + error.toStdString());
    });
    player_ = services_.players->open(url, std::move(events));

    // A stream that never gets ready would leave the deck silent for good.
    services_.scheduler->postAfter(
        std::chrono::milliseconds(static_cast<long long>(kStallLimit * 1000)),
        platform::guarded(guard, [this, episode] {
            if (episode == episode_ && !started_) {
                episodeFailed(episode, "Playback failed: the episode did not start within 30 s");
            }
        }));
}

void PodcastViewModel::playerReady(std::uint64_t episode, bool seekable) {
    if (episode != episode_ || started_ || ended_ || !player_) return;
    if (offset_ > 0.0) {
        if (seekable) {
            player_->seek(std::floor(offset_));
        } else {
            services_.print("The stream cannot seek; playing it from the start");
        }
    }
    player_->play();
    started_ = true;
    lastAdvance_ = services_.clock->now();
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
    later([this] { setWheel(false, 0.0); });
    timer_.reset();
}

void PodcastViewModel::tick() {
    if (!player_) return;
    const double position = player_->position();
    ticked_ = true;
    publish(currentTime_, position);
    later([this] { setWheel(true, -360.0); });

    const double now = services_.clock->now();
    if (position != lastPosition_) {
        lastPosition_ = position;
        lastAdvance_ = now;
    } else if (started_ && now - lastAdvance_ >= kStallLimit) {
        episodeFailed(episode_, "Playback stalled: the stream has not moved for 30 s");
    }
}

void PodcastViewModel::episodeEnded(std::uint64_t episode) {
    if (episode != episode_ || ended_) return;
    // An episode that ends before its first tick (its slot is further along
    // than it is long) never reported where it is: the wait comes from the
    // clock, else it would count from the last episode's time.
    if (!ticked_) publish(currentTime_, secondsIntoSlot(services_.clock->now()));
    ended_ = true;
    publish(isPlaying_, false);
    publish(hasEnded_, true);
    later([this] { setWheel(true, 3000.0); });

    // currentTime is the time elapsed in the slot, so this waits until two
    // seconds into the next one.
    long long wait = kWaitMargin;
    if (std::isfinite(currentTime_) && currentTime_ <= kSlotLength) {
        wait = static_cast<long long>(kSlotLength) - static_cast<long long>(currentTime_) +
               kWaitMargin;
        publish(titleLabel_, QStringLiteral("Next in %1 secs...").arg(wait));
    }
    stopProgressTimer();
    services_.scheduler->postAfter(std::chrono::seconds(wait),
                                   platform::guarded(lifetime_.guard(), [this] { restart(); }));
}

void PodcastViewModel::episodeFailed(std::uint64_t episode, const std::string& why) {
    if (episode != episode_ || ended_) return;
    services_.print(why);
    retirePlayer();
    // The stream's own time no longer counts: the end path takes the clock's.
    ticked_ = false;
    episodeEnded(episode);
}

void PodcastViewModel::retirePlayer() {
    if (!player_) return;
    // The player may be the caller, in the middle of its own signal: it is
    // destroyed on a later turn of the loop, never from inside its callback.
    std::shared_ptr<AudioPlayer> retired(std::move(player_));
    services_.scheduler->post([retired] {});
}

void PodcastViewModel::restart() {
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
