#pragma once
// Placeholder until the Atom model lands.
namespace syndra {
struct AtomFeed {
    friend bool operator==(const AtomFeed&, const AtomFeed&) = default;
};
}  // namespace syndra
