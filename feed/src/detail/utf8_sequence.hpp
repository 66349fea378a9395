#pragma once

#include <cstddef>

namespace syndra::detail {

/// The length (2 to 4) of the well-formed UTF-8 sequence that starts at `p`,
/// whose lead byte is not ASCII; 0 when it is not well-formed: an overlong
/// form, a surrogate, a code point past U+10FFFF, or cut short by `end`.
inline std::ptrdiff_t utf8SequenceLength(const unsigned char* p,
                                         const unsigned char* end) noexcept {
    const unsigned char lead = *p;
    std::ptrdiff_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;   // overlong
        if (lead == 0xED) high = 0x9F;  // surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;   // overlong
        if (lead == 0xF4) high = 0x8F;  // past U+10FFFF
    } else {
        return 0;
    }
    if (end - p < length) return 0;
    if (p[1] < low || p[1] > high) return 0;
    for (std::ptrdiff_t i = 2; i < length; ++i) {
        if ((p[i] & 0xC0) != 0x80) return 0;
    }
    return length;
}

}  // namespace syndra::detail
