#pragma once

#include <player/podcast_view_model.hpp>

#include <QDBusConnection>
#include <QObject>
#include <QVariantMap>

#include <functional>

namespace app {

/// The name and object under which the desktop's media controls find us.
inline constexpr const char* kMprisBusName = "org.mpris.MediaPlayer2.cassivo";
inline constexpr const char* kMprisObjectPath = "/org/mpris/MediaPlayer2";

/// The broadcast as a media player on the session bus (MPRIS 2), so that the
/// panel's "now playing", the lock screen, media keys and remote controls
/// show what is on air and can mute it. There is nothing to skip or seek.
class MprisService final : public QObject {
    Q_OBJECT
public:
    /// What the controls may do to the window.
    struct WindowControls {
        std::function<void()> raise;
        std::function<void()> quit;
    };

    MprisService(player::PodcastViewModel& model, WindowControls window, QObject* parent = nullptr);

    /// Serves the player object on `bus`, whose bus name the caller holds.
    bool registerOn(const QDBusConnection& bus);

    /// "Playing", "Paused" or "Stopped" (between episodes, before the first,
    /// after an error).
    QString playbackStatus() const;
    /// The episode on air as MPRIS metadata.
    QVariantMap metadata() const;
    /// Microseconds into the episode on air.
    qlonglong position() const;

    player::PodcastViewModel& model() noexcept { return model_; }
    const WindowControls& window() const noexcept { return window_; }

private:
    void changed();
    void announce();

    player::PodcastViewModel& model_;
    WindowControls window_;
    std::optional<QDBusConnection> bus_;
    QString announcedStatus_;
    QVariantMap announcedMetadata_;
    bool announceQueued_ = false;
};

}  // namespace app
