#pragma once

#include <compare>
#include <cstddef>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace syndra {

/// True when `a` and `b` are canonically equivalent Unicode strings (UTF-8).
/// Byte-equal strings answer at once; only differing ones are normalized.
bool canonicallyEquivalent(std::string_view a, std::string_view b);

/// Feed text: UTF-8 bytes, held in one allocation of exactly their size (a
/// pointer when empty). A Text compares, orders and hashes as its bytes, like
/// std::string_view; the models' equality compares texts by canonical
/// equivalence instead (see fields.hpp).
class Text {
public:
    Text() noexcept = default;
    Text(std::string_view bytes) { assign(bytes); }
    Text(const char* bytes) : Text(std::string_view(bytes)) {}
    Text(const std::string& bytes) : Text(std::string_view(bytes)) {}
    Text(const Text& other) : Text(other.view()) {}
    Text(Text&&) noexcept = default;
    Text& operator=(const Text& other) {
        if (this != &other) assign(other.view());
        return *this;
    }
    Text& operator=(Text&&) noexcept = default;
    ~Text() = default;

    std::size_t size() const noexcept {
        std::size_t bytes = 0;
        if (block_) std::memcpy(&bytes, block_.get(), sizeof bytes);
        return bytes;
    }
    bool empty() const noexcept { return size() == 0; }
    /// NUL-terminated.
    const char* data() const noexcept { return block_ ? block_.get() + kHeaderSize : ""; }
    const char* c_str() const noexcept { return data(); }
    std::string_view view() const noexcept { return {data(), size()}; }
    operator std::string_view() const noexcept { return view(); }
    std::string str() const { return std::string(view()); }

    /// The heap bytes a text of `size` bytes holds.
    static constexpr std::size_t heapBytes(std::size_t size) noexcept {
        return size == 0 ? 0 : kHeaderSize + size + 1;
    }

    /// Adds `more` at the end (the text is reallocated to its new size).
    void append(std::string_view more);

    friend bool operator==(const Text& a, std::string_view b) noexcept { return a.view() == b; }
    friend std::strong_ordering operator<=>(const Text& a, std::string_view b) noexcept {
        return a.view() <=> b;
    }

private:
    // The block: the size, then the bytes and a NUL.
    static constexpr std::size_t kHeaderSize = sizeof(std::size_t);
    void assign(std::string_view bytes);

    std::unique_ptr<char[]> block_;
};

}  // namespace syndra

template <>
struct std::hash<syndra::Text> {
    std::size_t operator()(const syndra::Text& text) const noexcept {
        return std::hash<std::string_view>()(text.view());
    }
};
