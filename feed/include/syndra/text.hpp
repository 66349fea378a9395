#pragma once

#include <string>
#include <string_view>

namespace syndra {

/// True when `a` and `b` are canonically equivalent Unicode strings (UTF-8).
/// Byte-equal strings answer at once; only differing ones are normalized.
bool canonicallyEquivalent(std::string_view a, std::string_view b);

/// Feed text: a UTF-8 string whose equality is Unicode canonical equivalence,
/// so "é" written precomposed and as "e" + combining acute compare equal.
/// Everything else is std::string.
class Text : public std::string {
public:
    using std::string::string;
    Text() = default;
    Text(const std::string& s) : std::string(s) {}
    Text(std::string&& s) noexcept : std::string(std::move(s)) {}
    explicit Text(std::string_view s) : std::string(s) {}

    const std::string& str() const noexcept { return *this; }

    friend bool operator==(const Text& a, const Text& b) {
        return canonicallyEquivalent(std::string_view(a), std::string_view(b));
    }
};

}  // namespace syndra
