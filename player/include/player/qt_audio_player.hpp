#pragma once

#include <player/audio_player.hpp>

namespace player {

/// Streams through QMediaPlayer (GStreamer backend) into the default audio
/// output; with no audio device it plays silently.
class QtAudioPlayerFactory final : public AudioPlayerFactory {
public:
    std::unique_ptr<AudioPlayer> open(const QUrl& url, AudioPlayerEvents events) override;
};

}  // namespace player
