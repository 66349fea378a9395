#pragma once

#include <QString>
#include <QUrl>
#include <QVariant>

#include <functional>
#include <limits>
#include <memory>
#include <optional>

namespace player {

/// What an audio player reports about the stream it opened. Every callback
/// runs on the main thread; none runs after the player is destroyed.
struct AudioPlayerEvents {
    /// The media is loaded; `seekable` says whether a seek will take effect.
    /// Comes once.
    std::function<void(bool seekable)> ready;
    /// Playback reached the end of the media.
    std::function<void()> endOfMedia;
    /// The stream cannot be played (network, format, ...).
    std::function<void(const QString& error)> failed;
    /// The stream's own metadata has been read: its title item if it has one
    /// (a text normally, but whatever the container holds). Comes once.
    std::function<void(const std::optional<QVariant>& title)> metadataLoaded;
    /// The metadata could not be read. Comes instead of metadataLoaded.
    std::function<void(const QString& error)> metadataFailed;
};

/// One episode's stream. Opened paused; plays when told to.
class AudioPlayer {
public:
    virtual ~AudioPlayer() = default;
    /// Moves to `seconds` from the start. Takes effect once the media is ready
    /// and seekable.
    virtual void seek(double seconds) = 0;
    virtual void play() = 0;
    /// The position in seconds.
    virtual double position() const = 0;
    /// The length in seconds; not a number while unknown.
    virtual double duration() const { return std::numeric_limits<double>::quiet_NaN(); }
};

/// Opens streams; the real one plays through the platform's media framework.
class AudioPlayerFactory {
public:
    virtual ~AudioPlayerFactory() = default;
    virtual std::unique_ptr<AudioPlayer> open(const QUrl& url, AudioPlayerEvents events) = 0;
};

}  // namespace player
