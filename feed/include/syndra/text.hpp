#pragma once

#include <bit>
#include <compare>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

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
    friend class std::optional<Text>;

    // An inline text of no bytes: no text is ever held so (the empty text is
    // 0), which leaves the pattern free to mean "no text" in an optional.
    static constexpr std::uintptr_t kAbsentWord = 1;
    struct Absent {};
    constexpr explicit Text(Absent) noexcept : word_(kAbsentWord) {}
    bool absent() const noexcept { return word_ == kAbsentWord; }

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

/// An optional text is one word, not two: a model holds dozens of text fields
/// per item and most stay absent, so this halves what they cost. Absence is
/// the Text pattern no text uses; everything else behaves as std::optional.
template <>
class std::optional<syndra::Text> {
    using Text = syndra::Text;

    template <class U>
    static constexpr bool kFromValue = std::is_constructible_v<Text, U&&> &&
                                       !std::is_same_v<std::remove_cvref_t<U>, std::in_place_t> &&
                                       !std::is_same_v<std::remove_cvref_t<U>, optional>;
    template <class U>
    static constexpr bool kFromOther =
        !std::is_same_v<U, Text> && std::is_constructible_v<Text, const U&>;

public:
    using value_type = Text;

    constexpr optional() noexcept : text_(Text::Absent{}) {}
    constexpr optional(std::nullopt_t) noexcept : optional() {}
    optional(const optional& other) : text_(other ? Text(other.text_) : Text(Text::Absent{})) {}
    optional(optional&& other) noexcept
        : text_(other ? std::move(other.text_) : Text(Text::Absent{})) {}
    template <class... Args>
    requires std::is_constructible_v<Text, Args&&...>
    constexpr explicit optional(std::in_place_t, Args&&... args)
        : text_(std::forward<Args>(args)...) {}
    template <class U = Text>
    requires kFromValue<U>
    constexpr explicit(!std::is_convertible_v<U&&, Text>) optional(U&& value)
        : text_(std::forward<U>(value)) {}
    template <class U>
    requires kFromOther<U>
    explicit(!std::is_convertible_v<const U&, Text>) optional(const optional<U>& other)
        : text_(other ? Text(*other) : Text(Text::Absent{})) {}
    template <class U>
    requires kFromOther<U>
    explicit(!std::is_convertible_v<const U&, Text>) optional(optional<U>&& other)
        : text_(other ? Text(std::move(*other)) : Text(Text::Absent{})) {}
    ~optional() = default;

    optional& operator=(std::nullopt_t) noexcept {
        reset();
        return *this;
    }
    optional& operator=(const optional& other) {
        if (other) {
            text_ = other.text_;
        } else {
            reset();
        }
        return *this;
    }
    optional& operator=(optional&& other) noexcept {
        if (other) {
            text_ = std::move(other.text_);
        } else {
            reset();
        }
        return *this;
    }
    template <class U = Text>
    requires kFromValue<U> && std::is_assignable_v<Text&, U&&> optional& operator=(U&& value) {
        text_ = std::forward<U>(value);
        return *this;
    }

    template <class... Args>
    Text& emplace(Args&&... args) {
        Text made(std::forward<Args>(args)...);
        text_ = std::move(made);
        return text_;
    }
    void swap(optional& other) noexcept { std::swap(text_, other.text_); }
    void reset() noexcept { text_ = Text(Text::Absent{}); }

    bool has_value() const noexcept { return !text_.absent(); }
    explicit operator bool() const noexcept { return has_value(); }

    const Text* operator->() const noexcept { return &text_; }
    Text* operator->() noexcept { return &text_; }
    const Text& operator*() const& noexcept { return text_; }
    Text& operator*() & noexcept { return text_; }
    Text&& operator*() && noexcept { return std::move(text_); }
    const Text&& operator*() const&& noexcept { return std::move(text_); }

    const Text& value() const& { return has_value() ? text_ : throwAbsent(); }
    Text& value() & { return has_value() ? text_ : throwAbsent(); }
    Text&& value() && { return std::move(has_value() ? text_ : throwAbsent()); }
    const Text&& value() const&& { return std::move(has_value() ? text_ : throwAbsent()); }

    template <class U>
    Text value_or(U&& fallback) const& {
        return has_value() ? text_ : static_cast<Text>(std::forward<U>(fallback));
    }
    template <class U>
    Text value_or(U&& fallback) && {
        return has_value() ? std::move(text_) : static_cast<Text>(std::forward<U>(fallback));
    }

private:
    [[noreturn]] static Text& throwAbsent() { throw std::bad_optional_access(); }

    Text text_;
};

static_assert(sizeof(std::optional<syndra::Text>) == sizeof(syndra::Text));

template <>
struct std::hash<syndra::Text> {
    std::size_t operator()(const syndra::Text& text) const noexcept {
        return std::hash<std::string_view>()(text.view());
    }
};
