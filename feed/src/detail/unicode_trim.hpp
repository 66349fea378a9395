#pragma once

#include <unicode/uchar.h>
#include <unicode/utf8.h>

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace syndra::detail {

/// White space and line breaks in the Unicode sense: the space, line and
/// paragraph separators (Zs, Zl, Zp), the ASCII controls TAB to CR, and NEL.
inline bool isWhiteSpaceOrNewline(UChar32 c) noexcept {
    if (c == 0x20 || (c >= 0x09 && c <= 0x0D)) return true;
    if (c < 0x80) return false;
    if (c == 0x85) return true;
    const auto type = u_charType(c);
    return type == U_SPACE_SEPARATOR || type == U_LINE_SEPARATOR || type == U_PARAGRAPH_SEPARATOR;
}

/// `text` without white space and line breaks at either end. Bytes that are
/// not valid UTF-8 are kept: they are not white space.
inline std::string_view trimWhiteSpaceAndNewlines(std::string_view text) noexcept {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    std::size_t begin = 0;
    const std::size_t length = text.size();
    while (begin < length) {
        std::size_t next = begin;
        UChar32 c = 0;
        U8_NEXT(bytes, next, length, c);
        if (c < 0 || !isWhiteSpaceOrNewline(c)) break;
        begin = next;
    }
    std::size_t end = length;
    while (end > begin) {
        // Step back to the lead byte of the last character (at most three
        // continuation bytes), then decode forwards and insist on landing at `end`.
        std::size_t lead = end - 1;
        while (lead > begin && end - lead < 4 && U8_IS_TRAIL(bytes[lead])) --lead;
        std::size_t next = lead;
        UChar32 c = 0;
        U8_NEXT(bytes, next, end, c);
        if (c < 0 || next != end || !isWhiteSpaceOrNewline(c)) break;
        end = lead;
    }
    return text.substr(begin, end - begin);
}

}  // namespace syndra::detail
