#pragma once

// Character encodings of incoming documents: byte-order marks, UTF-16/32
// without a mark, charsets named in the XML declaration, and conversion of
// everything expat cannot read natively into UTF-8.

#include "detail/fallible.hpp"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace syndra::detail {

enum class UnicodeForm { unknown, utf8, utf16le, utf16be, utf32le, utf32be };

struct Sniffed {
    /// What the first bytes show; `unknown` means "no mark, 8-bit text".
    UnicodeForm form = UnicodeForm::unknown;
    /// Length of the byte-order mark, 0 when there is none.
    std::size_t markLength = 0;
};

/// Looks at the byte-order mark, or at "<?" written in UTF-16 without one.
Sniffed sniffUnicodeForm(std::string_view bytes) noexcept;

/// Calls f(codePoint) for each character of `bytes` read in `form` (`unknown`
/// reads as UTF-8); malformed or truncated sequences read as U+FFFD. f returns
/// false to stop early.
template <class F>
void forEachCodePoint(std::string_view bytes, UnicodeForm form, F&& f);

/// The whole of `bytes` (after the mark) converted from a UTF-16/32 form to
/// UTF-8; fails on malformed input rather than guessing.
Fallible<std::string> unicodeToUtf8(std::string_view bytes, const Sniffed& sniffed);

/// The value of encoding="..." in an XML declaration at the very start of
/// `text`, if there is one.
std::optional<std::string_view> declaredEncoding(std::string_view text) noexcept;

/// How an encoding name from a declaration is to be read.
enum class CharsetKind {
    native,      ///< expat reads it itself (UTF-8, UTF-16, ISO-8859-1, US-ASCII)
    singleByte,  ///< expat reads it through a 256-entry map (unknown-encoding handler)
    multiByte,   ///< converted to UTF-8 before parsing
    unsupported,
};
CharsetKind classifyCharset(std::string_view name);

/// Fills map[b] with the code point of byte b in charset `name`, or -1 where
/// the byte has no character. False if the charset is unknown, not single
/// byte, or does not keep ASCII where XML markup needs it.
bool singleByteMap(std::string_view name, std::array<int, 256>& map);

/// The whole document converted from charset `name` to UTF-8; fails with the
/// offset of the first byte sequence that is not valid in that charset.
Fallible<std::string> charsetToUtf8(std::string_view bytes, std::string_view name);

/// "Unsupported encoding \"name\"".
std::string unsupportedEncoding(std::string_view name);

// ---------------------------------------------------------------------------

template <class F>
void forEachCodePoint(std::string_view bytes, UnicodeForm form, F&& f) {
    constexpr char32_t bad = 0xFFFD;
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* end = p + bytes.size();
    switch (form) {
        case UnicodeForm::unknown:
        case UnicodeForm::utf8:
            while (p < end) {
                const unsigned char b = *p;
                int more = 0;
                char32_t cp = 0;
                char32_t min = 0;
                if (b < 0x80) {
                    cp = b;
                } else if (b >= 0xC2 && b <= 0xDF) {
                    more = 1, cp = b & 0x1F, min = 0x80;
                } else if (b >= 0xE0 && b <= 0xEF) {
                    more = 2, cp = b & 0x0F, min = 0x800;
                } else if (b >= 0xF0 && b <= 0xF4) {
                    more = 3, cp = b & 0x07, min = 0x10000;
                } else {
                    ++p;
                    if (!f(bad)) return;
                    continue;
                }
                ++p;
                bool ok = true;
                for (int i = 0; i < more; ++i) {
                    if (p >= end || (*p & 0xC0) != 0x80) {
                        ok = false;
                        break;
                    }
                    cp = (cp << 6) | (*p++ & 0x3F);
                }
                if (!ok || cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = bad;
                if (!f(cp)) return;
            }
            return;
        case UnicodeForm::utf16le:
        case UnicodeForm::utf16be: {
            const bool le = form == UnicodeForm::utf16le;
            auto unit = [&](const unsigned char* q) -> char32_t {
                return le ? char32_t(q[0] | (q[1] << 8)) : char32_t((q[0] << 8) | q[1]);
            };
            while (end - p >= 2) {
                char32_t u = unit(p);
                p += 2;
                if (u >= 0xD800 && u <= 0xDBFF && end - p >= 2) {
                    const char32_t low = unit(p);
                    if (low >= 0xDC00 && low <= 0xDFFF) {
                        p += 2;
                        u = 0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00);
                    } else {
                        u = bad;
                    }
                } else if (u >= 0xD800 && u <= 0xDFFF) {
                    u = bad;
                }
                if (!f(u)) return;
            }
            if (p < end) f(bad);
            return;
        }
        case UnicodeForm::utf32le:
        case UnicodeForm::utf32be: {
            const bool le = form == UnicodeForm::utf32le;
            while (end - p >= 4) {
                char32_t u =
                    le ? char32_t(p[0] | (p[1] << 8) | (p[2] << 16) | (char32_t(p[3]) << 24))
                       : char32_t((char32_t(p[0]) << 24) | (p[1] << 16) | (p[2] << 8) | p[3]);
                p += 4;
                if (u > 0x10FFFF || (u >= 0xD800 && u <= 0xDFFF)) u = bad;
                if (!f(u)) return;
            }
            if (p < end) f(bad);
            return;
        }
    }
}

}  // namespace syndra::detail
