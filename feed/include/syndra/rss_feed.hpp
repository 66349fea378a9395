#pragma once
// Placeholder until the RSS model lands.
namespace syndra {
struct RSSFeed {
    friend bool operator==(const RSSFeed&, const RSSFeed&) = default;
};
}  // namespace syndra
