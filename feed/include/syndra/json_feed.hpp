#pragma once
// Placeholder until the JSON Feed model lands.
namespace syndra {
struct JSONFeed {
    friend bool operator==(const JSONFeed&, const JSONFeed&) = default;
};
}  // namespace syndra
