#include <player/qt_audio_player.hpp>

#include <QAudioOutput>
#include <QMediaMetaData>
#include <QMediaPlayer>
#include <QTimer>

namespace player {
namespace {

using namespace std::chrono_literals;

class QtAudioPlayer final : public AudioPlayer {
public:
    QtAudioPlayer(const QUrl& url, AudioPlayerEvents events) : events_(std::move(events)) {
        player_.setAudioOutput(&output_);
        // Signals are connected with the player as context: once this object
        // is gone, nothing reaches the model any more.
        QObject::connect(&player_, &QMediaPlayer::mediaStatusChanged, &player_,
                         [this](QMediaPlayer::MediaStatus status) { statusChanged(status); });
        QObject::connect(&player_, &QMediaPlayer::seekableChanged, &player_, [this](bool seekable) {
            if (seekable && loaded_) announceReady();
        });
        QObject::connect(&player_, &QMediaPlayer::metaDataChanged, &player_,
                         [this] { metaDataChanged(); });
        QObject::connect(&player_, &QMediaPlayer::errorOccurred, &player_,
                         [this](QMediaPlayer::Error, const QString& message) { failed(message); });
        graceTimer_.setSingleShot(true);
        QObject::connect(&graceTimer_, &QTimer::timeout, &player_, [this] { announceReady(); });
        titleTimer_.setSingleShot(true);
        QObject::connect(&titleTimer_, &QTimer::timeout, &player_, [this] { announceMetadata(); });
        player_.setSource(url);
    }

    void seek(double seconds) override {
        const auto target = static_cast<qint64>(seconds * 1000.0);
        // A slot can be further along than the episode is long: then the
        // episode is over for this hour. GStreamer rejects such a seek and
        // would play from the start instead.
        if (player_.duration() > 0 && target >= player_.duration()) {
            pastTheEnd_ = true;
            QMetaObject::invokeMethod(
                &player_,
                [this] {
                    if (events_.endOfMedia) events_.endOfMedia();
                },
                Qt::QueuedConnection);
            return;
        }
        player_.setPosition(target);
    }
    void play() override {
        if (!pastTheEnd_) player_.play();
    }
    double position() const override { return double(player_.position()) / 1000.0; }

private:
    void statusChanged(QMediaPlayer::MediaStatus status) {
        switch (status) {
            case QMediaPlayer::LoadedMedia:
            case QMediaPlayer::BufferingMedia:
            case QMediaPlayer::BufferedMedia:
                if (loaded_) return;
                loaded_ = true;
                // A seek before the media is seekable is ignored, and the
                // seekable notice may trail the load a little; wait briefly.
                if (player_.isSeekable()) {
                    announceReady();
                } else {
                    graceTimer_.start(2s);
                }
                return;
            case QMediaPlayer::EndOfMedia:
                announceMetadata();
                if (events_.endOfMedia) events_.endOfMedia();
                return;
            case QMediaPlayer::InvalidMedia:
                failed(player_.errorString().isEmpty()
                           ? QStringLiteral("the media cannot be played")
                           : player_.errorString());
                return;
            default:
                return;
        }
    }

    void announceReady() {
        if (readyAnnounced_) return;
        readyAnnounced_ = true;
        graceTimer_.stop();
        // Tags are normally read while the media loads; give late ones a moment.
        if (!metadataAnnounced_ && !titleTimer_.isActive()) titleTimer_.start(3s);
        if (events_.ready) events_.ready(player_.isSeekable());
    }

    void metaDataChanged() {
        if (!player_.metaData().value(QMediaMetaData::Title).isNull()) announceMetadata();
    }

    void announceMetadata() {
        if (metadataAnnounced_) return;
        metadataAnnounced_ = true;
        titleTimer_.stop();
        const QVariant title = player_.metaData().value(QMediaMetaData::Title);
        if (events_.metadataLoaded) {
            events_.metadataLoaded(title.isNull() ? std::nullopt : std::optional<QVariant>(title));
        }
    }

    void failed(const QString& message) {
        if (failed_) return;
        failed_ = true;
        // An error before any metadata means the metadata could not be read.
        if (!metadataAnnounced_) {
            metadataAnnounced_ = true;
            titleTimer_.stop();
            if (events_.metadataFailed) events_.metadataFailed(message);
        }
        if (events_.failed) events_.failed(message);
    }

    AudioPlayerEvents events_;
    QAudioOutput output_;  // outlives the player that plays into it
    QMediaPlayer player_;
    QTimer graceTimer_;
    QTimer titleTimer_;
    bool loaded_ = false;
    bool readyAnnounced_ = false;
    bool metadataAnnounced_ = false;
    bool failed_ = false;
    bool pastTheEnd_ = false;
};

}  // namespace

std::unique_ptr<AudioPlayer> QtAudioPlayerFactory::open(const QUrl& url, AudioPlayerEvents events) {
    return std::make_unique<QtAudioPlayer>(url, std::move(events));
}

}  // namespace player
