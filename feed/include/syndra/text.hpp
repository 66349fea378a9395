#pragma once

#include <bit>
#include <compare>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace syndra {

/// True when `a` and `b` are canonically equivalent Unicode strings (UTF-8).
/// Byte-equal strings answer at once; only differing ones are normalized.
bool canonicallyEquivalent(std::string_view a, std::string_view b);

/// Feed text: UTF-8 bytes. A text of up to kInlineSize bytes lives in the
/// object itself; a longer one in one allocation of its size, a short length
/// prefix and a NUL. Empty or short, a text allocates nothing: feeds are made
/// of many short texts ("en", "audio", "300"), each of which would otherwise
/// cost a heap block many times its size.
///
/// A Text compares, orders and hashes as its bytes, like std::string_view; the
/// models' equality compares texts by canonical equivalence instead (see
/// fields.hpp).
class Text {
public:
    /// The longest text held without an allocation.
    static constexpr std::size_t kInlineSize = sizeof(std::uintptr_t) - 2;

    Text() noexcept = default;
    Text(std::string_view bytes) { assign(bytes); }
    Text(const char* bytes) : Text(std::string_view(bytes)) {}
    Text(const std::string& bytes) : Text(std::string_view(bytes)) {}
    Text(const Text& other) : Text(other.view()) {}
    Text(Text&& other) noexcept : word_(other.word_) { other.word_ = 0; }
    Text& operator=(const Text& other) {
        if (this != &other) assign(other.view());
        return *this;
    }
    Text& operator=(Text&& other) noexcept {
        if (this != &other) {
            release();
            word_ = other.word_;
            other.word_ = 0;
        }
        return *this;
    }
    ~Text() { release(); }

    std::size_t size() const noexcept { return view().size(); }
    bool empty() const noexcept { return word_ == 0; }
    /// NUL-terminated.
    const char* data() const noexcept { return view().data(); }
    const char* c_str() const noexcept { return data(); }
    std::string_view view() const noexcept;
    operator std::string_view() const noexcept { return view(); }
    std::string str() const { return std::string(view()); }

    /// The heap bytes a text of `size` bytes holds.
    static constexpr std::size_t heapBytes(std::size_t size) noexcept {
        return size <= kInlineSize ? 0 : prefixSize(size) + size + 1;
    }

    /// Adds `more` at the end (the text is reallocated to its new size).
    void append(std::string_view more);

    friend bool operator==(const Text& a, std::string_view b) noexcept { return a.view() == b; }
    friend std::strong_ordering operator<=>(const Text& a, std::string_view b) noexcept {
        return a.view() <=> b;
    }

private:
    // word_ is 0 (empty), a pointer to the heap block (its lowest bit clear:
    // the block is allocated for at least two bytes' alignment), or an inline
    // text: the byte holding the word's lowest bit is the tag, (size << 1) | 1,
    // and the others hold the bytes and a NUL. The heap block is the size in
    // seven-bit groups, lowest first (the top bit of each byte says another
    // follows), then the bytes and a NUL.
    static constexpr bool kLittleEndian = std::endian::native == std::endian::little;
    static constexpr std::size_t kTagByte = kLittleEndian ? 0 : sizeof(std::uintptr_t) - 1;
    static constexpr std::size_t kInlineBytes = kLittleEndian ? 1 : 0;

    static constexpr std::size_t prefixSize(std::size_t size) noexcept {
        std::size_t bytes = 1;
        for (; size >= 0x80; size >>= 7) ++bytes;
        return bytes;
    }
    static constexpr std::size_t blockUnits(std::size_t size) noexcept {
        return (heapBytes(size) + 1) / 2;
    }
    bool isInline() const noexcept { return (word_ & 1) != 0; }
    const char* word() const noexcept { return reinterpret_cast<const char*>(&word_); }
    void assign(std::string_view bytes);
    void release() noexcept;

    std::uintptr_t word_ = 0;
};

inline std::string_view Text::view() const noexcept {
    if (isInline()) {
        return {word() + kInlineBytes,
                static_cast<std::size_t>(static_cast<unsigned char>(word()[kTagByte]) >> 1)};
    }
    if (word_ == 0) return {"", 0};
    const auto* block = reinterpret_cast<const unsigned char*>(word_);
    std::size_t size = 0;
    int shift = 0;
    for (;; shift += 7) {
        const unsigned char byte = *block++;
        size |= static_cast<std::size_t>(byte & 0x7f) << shift;
        if (byte < 0x80) break;
    }
    return {reinterpret_cast<const char*>(block), size};
}

}  // namespace syndra

template <>
struct std::hash<syndra::Text> {
    std::size_t operator()(const syndra::Text& text) const noexcept {
        return std::hash<std::string_view>()(text.view());
    }
};
