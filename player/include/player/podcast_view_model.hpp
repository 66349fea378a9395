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
/// and starts again. Lives on the main thread; every published property is
/// written there, and `objectWillChange` fires just before each write.
class PodcastViewModel final : public QObject {
    Q_OBJECT
public:
    static constexpr double kSlotLength = 3600.0;
    static constexpr int kWaitMargin = 2;
    /// A stream that has not moved for this long while playing is given up.
    static constexpr double kStallLimit = 30.0;

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

    /// The feed's first audio Media RSS content URL of each item, sorted.
    static std::vector<std::string> audioEpisodeURLs(const syndra::RSSFeed& feed);
    /// The label the feed gives the episode at `urlText` ("Show 42"), printing
    /// the URL and the text it is looked up by.
    QString feedLabel(const QString& urlText) const;

signals:
    /// Fires immediately before any published property is written.
    void objectWillChange();
    /// The wheel properties were written together, as one update; the
    /// arguments are the values before it. The view animates from these.
    void wheelChanged(bool wasTurning, double oldAngle);

private:
    void handleParseResult(syndra::Result result);
    void reportError(const QString& message);
    void startEpisode(const QString& urlText, const QUrl& url, double offset);
    void playerReady(std::uint64_t episode, bool seekable);
    void startProgressTimer();
    void stopProgressTimer();
    void tick();
    void episodeEnded(std::uint64_t episode);
    void episodeFailed(std::uint64_t episode, const std::string& why);
    void restart();
    void retirePlayer();
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

    PlayerServices services_;

    std::unique_ptr<AudioPlayer> player_;
    std::unique_ptr<platform::TimerToken> timer_;
    std::optional<syndra::RSSFeed> feed_;

    // Each started episode gets a number; events of an earlier episode that
    // arrive late are recognised and dropped.
    std::uint64_t episode_ = 0;
    QString episodeURL_;
    double offset_ = 0.0;
    bool started_ = false;  // play() was called for the current episode
    bool ended_ = false;    // the end path ran for the current episode
    bool ticked_ = false;   // currentTime holds the current episode's position
    double lastPosition_ = 0.0;
    double lastAdvance_ = 0.0;  // clock time when the position last moved

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
