#pragma once

namespace player {

/// The show's RSS 2.0 podcast feed; its items carry Media RSS audio content.
inline constexpr const char* kFeedURL = "https://f.prxu.org/126/feed-rss.xml";

}  // namespace player
