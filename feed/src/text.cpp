#include <syndra/text.hpp>

#include <unicode/bytestream.h>
#include <unicode/normalizer2.h>
#include <unicode/utf8.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <optional>
#include <string>

namespace syndra {
namespace {

bool isAscii(std::string_view s) noexcept {
    // Eight bytes at a time: long descriptions are compared whole.
    std::size_t i = 0;
    for (; i + 8 <= s.size(); i += 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, s.data() + i, sizeof word);
        if ((word & 0x8080808080808080ull) != 0) return false;
    }
    for (; i < s.size(); ++i) {
        if (static_cast<unsigned char>(s[i]) >= 0x80) return false;
    }
    return true;
}

bool isValidUtf8(std::string_view s) noexcept {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(s.data());
    const std::size_t length = s.size();
    std::size_t i = 0;
    while (i < length) {
        UChar32 c = 0;
        U8_NEXT(bytes, i, length, c);
        if (c < 0) return false;
    }
    return true;
}

// The NFD form of `s`, or nothing when ICU cannot normalize it.
std::optional<std::string> decomposed(const icu::Normalizer2& nfd, std::string_view s) {
    std::string out;
    out.reserve(s.size());
    icu::StringByteSink<std::string> sink(&out);
    UErrorCode status = U_ZERO_ERROR;
    nfd.normalizeUTF8(0, icu::StringPiece(s.data(), static_cast<std::int32_t>(s.size())), sink,
                      nullptr, status);
    if (U_FAILURE(status)) return std::nullopt;
    return out;
}

}  // namespace

void Text::assign(std::string_view bytes) {
    const std::size_t size = bytes.size();
    std::uintptr_t word = 0;
    if (size != 0 && size <= kInlineSize) {
        auto* out = reinterpret_cast<char*>(&word);
        out[kTagByte] = static_cast<char>((size << 1) | 1);
        std::memcpy(out + kInlineBytes, bytes.data(), size);
    } else if (size != 0) {
        // Through std::uint16_t, so that the block's address is even and
        // cannot be taken for an inline text.
        auto* block = reinterpret_cast<unsigned char*>(
            std::allocator<std::uint16_t>().allocate(blockUnits(size)));
        unsigned char* at = block;
        for (std::size_t rest = size;; rest >>= 7) {
            *at++ = static_cast<unsigned char>((rest & 0x7f) | (rest >= 0x80 ? 0x80 : 0));
            if (rest < 0x80) break;
        }
        std::memcpy(at, bytes.data(), size);
        at[size] = '\0';
        word = reinterpret_cast<std::uintptr_t>(block);
    }
    release();
    word_ = word;
}

void Text::release() noexcept {
    if (word_ != 0 && !isInline()) {
        std::allocator<std::uint16_t>().deallocate(reinterpret_cast<std::uint16_t*>(word_),
                                                   blockUnits(size()));
    }
    word_ = 0;
}

void Text::append(std::string_view more) {
    if (more.empty()) return;
    std::string joined;
    joined.reserve(size() + more.size());
    joined.append(view()).append(more);
    assign(joined);
}

bool canonicallyEquivalent(std::string_view a, std::string_view b) {
    if (a == b) return true;
    // ASCII text is its own decomposition. Only when both sides are ASCII does
    // that settle it: a non-ASCII text can decompose to ASCII (U+212A → "K").
    if (isAscii(a) && isAscii(b)) return false;
    // ICU would read bad bytes as U+FFFD and call different garbage equal;
    // byte comparison (already unequal) is the only honest answer.
    if (!isValidUtf8(a) || !isValidUtf8(b)) return false;
    // StringPiece lengths are 32-bit; texts beyond that are compared by bytes.
    constexpr std::size_t kMaxLength = 0x7fffffff;
    if (a.size() > kMaxLength || b.size() > kMaxLength) return false;

    UErrorCode status = U_ZERO_ERROR;
    // Each text has exactly one composed (NFC) form, and most feed text is
    // already in it: two different texts that both are cannot be equivalent.
    // Checking costs a scan; normalizing costs two copies.
    const icu::Normalizer2* nfc = icu::Normalizer2::getNFCInstance(status);
    if (U_SUCCESS(status) && nfc != nullptr) {
        const bool aComposed = nfc->isNormalizedUTF8(
            icu::StringPiece(a.data(), static_cast<std::int32_t>(a.size())), status);
        const bool bComposed = nfc->isNormalizedUTF8(
            icu::StringPiece(b.data(), static_cast<std::int32_t>(b.size())), status);
        if (U_SUCCESS(status) && aComposed && bComposed) return false;
    }
    status = U_ZERO_ERROR;
    const icu::Normalizer2* nfd = icu::Normalizer2::getNFDInstance(status);
    if (U_FAILURE(status) || nfd == nullptr) return false;
    const auto na = decomposed(*nfd, a);
    const auto nb = decomposed(*nfd, b);
    return na && nb && *na == *nb;
}

}  // namespace syndra
