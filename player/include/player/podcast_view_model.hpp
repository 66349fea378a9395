#pragma once

#include <platform/clock.hpp>
#include <platform/diagnostics.hpp>
#include <platform/lifetime.hpp>
#include <platform/scheduler.hpp>
#include <player/audio_player.hpp>
#include <player/feed_source.hpp>
#include <syndra/feed.hpp>

#include <QObject>
#include <QString>
#include <QUrl>

#include <cmath>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace player {

/// The services the model runs on; the app passes the real ones, tests fakes.
struct PlayerServices {
    platform::Scheduler* scheduler = nullptr;
    const platform::Clock* clock = nullptr;
    FeedSource* feedSource = nullptr;
    AudioPlayerFactory* players = nullptr;
    platform::LinePrinter print;
};

/// The broadcast: loads the feed, picks the episode on air by the wall clock,
/// plays it from the right second, counts down to the next slot at its end
/// and starts again. It heals itself: a feed that cannot be read is tried
/// again (the last good one plays on meanwhile), a stream that fails or
/// stalls is reopened at the live second, and a clock that jumps is followed.
/// Lives on the main thread; every published property is written there, and
/// `objectWillChange` fires just before each write.
class PodcastViewModel final : public QObject {
    Q_OBJECT
public:
    static constexpr double kSlotLength = 3600.0;
    static constexpr int kWaitMargin = 2;
    /// A stream that has not moved for this long (of monotonic time) while it
    /// should play is reopened.
    static constexpr double kStallLimit = 30.0;
    /// Further than this from the live second, the stream is moved to it.
    static constexpr double kDriftLimit = 10.0;

    explicit PodcastViewModel(PlayerServices services, QObject* parent = nullptr);
    ~PodcastViewModel() override;

    // Published state.
    bool isPlaying() const noexcept { return isPlaying_; }
    bool hasEnded() const noexcept { return hasEnded_; }
    double currentTime() const noexcept { return currentTime_; }
    const QString& titleLabel() const noexcept { return titleLabel_; }
    bool showingAlert() const noexcept { return showingAlert_; }
    const QString& errorMessage() const noexcept { return errorMessage_; }
    bool wheelTurning() const noexcept { return wheelTurning_; }
    double wheelAngle() const noexcept { return wheelAngle_; }

    /// The view's alert writes false here when it is dismissed.
    void setShowingAlert(bool showing);

    /// Starts one feed download and parse; playback follows the result.
    void loadFeed();
    /// currentTime as "mm:ss" (minutes not wrapped at 60), "--:--" when unknown.
    QString formattedTime() const;

    /// A radio cannot stop time: pausing mutes it and stops reading the
    /// stream while the schedule runs on; playing rejoins the broadcast at
    /// the live second of whatever is on air then.
    void pause();
    void play();
    bool isPaused() const noexcept { return paused_; }

    /// The episode on air, for the desktop's media controls.
    struct OnAir {
        int episode = 0;      // its place in the sorted episode list
        QString url;          // as it is played
        QString title;        // its item's title
        QString show;         // the channel's title
        QString artURL;       // the channel's image
        double length = 0.0;  // seconds; 0 while unknown
        friend bool operator==(const OnAir&, const OnAir&) = default;
    };
    /// Nothing before the first episode.
    const std::optional<OnAir>& onAir() const noexcept { return onAir_; }
    /// Seconds into the episode on air: where the stream plays, or, paused,
    /// where it would.
    double position() const;

    /// Each item's episode, sorted: its first audio Media RSS content's URL,
    /// or, for an item with no audio Media RSS content, its enclosure's when
    /// the enclosure is audio. URLs that are not http, https or file are left
    /// out, each with a line through `skipped`.
    static std::vector<std::string> audioEpisodeURLs(const syndra::RSSFeed& feed,
                                                     const platform::LinePrinter& skipped = {});
    /// The label the feed gives the episode at `urlText` ("Show 42"), printing
    /// the URL and the text it is looked up by.
    QString feedLabel(const QString& urlText) const;

signals:
    /// Fires immediately before any published property is written.
    void objectWillChange();
    /// The wheel properties were written together, as one update; the
    /// arguments are the values before it. The view animates from these.
    void wheelChanged(bool wasTurning, double oldAngle);
    /// onAir() or isPaused() changed.
    void broadcastChanged();

private:
    // Where the broadcast stands; the clock watch acts on it every second.
    enum class Phase {
        idle,          // nothing loaded yet
        feedRetry,     // no feed yet; a load is due after a back-off
        offAir,        // a feed, but the clock puts no slot on air
        playing,       // a stream is open (loading, seeking or playing)
        reconnecting,  // the stream failed; it reopens after a back-off
        paused,        // an episode is on air, unheard
        ended,         // the slot's episode is over; waiting for the next slot
    };

    void startLoad();
    void handleParseResult(FeedLoad load);
    void feedTrouble(const std::string& line, const QString& message);
    void feedFailed(const std::string& line, const QString& message);
    void retryFeedLater();
    void reportError(const QString& message);
    void withdrawError(const QString& message);
    void goOnAir();
    void startEpisode(std::int64_t slot, const QString& urlText, const QUrl& url);
    void playerReady(std::uint64_t episode, bool seekable);
    void startProgressTimer();
    void stopProgressTimer();
    void tick();
    void watchClock();
    void followTheClock(double now, double monotonic);
    void episodeEnded(std::uint64_t episode);
    void endSlot();
    void restartWhenDue();
    void episodeFailed(std::uint64_t episode, const std::string& why);
    void reconnect(std::uint64_t attempt);
    void restart();
    void retirePlayer();
    void silence();
    void announce(std::size_t episode);
    void applyTitle(std::uint64_t episode, const std::optional<QVariant>& title);

    void setWheel(bool turning, double angle);
    template <class T>
    void publish(T& field, T value) {
        emit objectWillChange();
        field = std::move(value);
    }
    // Runs `f` on the main thread later, only while this model exists.
    template <class F>
    void later(F f) {
        services_.scheduler->post(platform::guarded(lifetime_.guard(), std::move(f)));
    }
    template <class F>
    void after(double seconds, F f) {
        services_.scheduler->postAfter(std::chrono::milliseconds(std::llround(seconds * 1000)),
                                       platform::guarded(lifetime_.guard(), std::move(f)));
    }

    PlayerServices services_;

    std::unique_ptr<AudioPlayer> player_;
    std::unique_ptr<platform::TimerToken> timer_;
    std::unique_ptr<platform::TimerToken> clockWatch_;
    std::optional<syndra::RSSFeed> feed_;
    std::vector<std::string> episodes_;  // of feed_

    Phase phase_ = Phase::idle;
    bool loading_ = false;
    bool awaitingFeed_ = false;  // playback waits for the load in progress
    bool paused_ = false;
    std::optional<OnAir> onAir_;
    // Each started episode gets a number; events of an earlier episode that
    // arrive late are recognised and dropped.
    std::uint64_t episode_ = 0;
    std::int64_t slot_ = 0;  // the hour since the epoch whose episode is on the deck
    QString episodeURL_;
    QUrl episodeQUrl_;
    bool started_ = false;  // play() was called for the current stream
    bool seekable_ = false;
    bool ticked_ = false;   // currentTime holds the current episode's position
    double endedAt_ = 0.0;  // seconds into the slot when its episode ended

    // Healing: how many retries in a row, and whether the trouble was said.
    int feedRetries_ = 0;
    std::uint64_t feedRetry_ = 0;  // only the latest scheduled retry runs
    bool feedTroubleReported_ = false;
    bool clockTroubleReported_ = false;
    std::string feedTrouble_, clockTrouble_;  // what the alert said
    int streamRetries_ = 0;
    bool streamTroubleReported_ = false;
    std::uint64_t reconnectAttempt_ = 0;

    // Monotonic readings: the stall watch and the jump detector use them.
    double openedAt_ = 0.0;
    double lastPosition_ = 0.0;
    double lastAdvance_ = 0.0;
    double healthySince_ = 0.0;
    double seekedAt_ = -1e9;
    double lastWall_ = 0.0;
    double lastMonotonic_ = 0.0;

    bool isPlaying_ = false;
    bool hasEnded_ = false;
    double currentTime_ = 0.0;
    QString titleLabel_ = QStringLiteral("is Loading ...");
    bool showingAlert_ = false;
    QString errorMessage_ = QStringLiteral("Unknown Error");
    bool wheelTurning_ = false;
    double wheelAngle_ = 0.0;

    platform::Lifetime lifetime_;
};

}  // namespace player
