#include "detail/feed_kind.hpp"

#include "detail/encoding.hpp"

#include <unicode/uchar.h>

namespace syndra::detail {
namespace {

// Letters, marks, numbers, punctuation and symbols end the search; white
// space, controls and format characters (a byte-order mark among them) don't.
bool isVisible(char32_t c) noexcept {
    const auto mask = U_GET_GC_MASK(static_cast<UChar32>(c));
    return (mask & (U_GC_L_MASK | U_GC_M_MASK | U_GC_N_MASK | U_GC_P_MASK | U_GC_S_MASK)) != 0;
}

}  // namespace

std::optional<FeedDataKind> detectFeedDataKind(std::string_view bytes) {
    const Sniffed sniffed = sniffUnicodeForm(bytes);
    std::optional<FeedDataKind> kind;
    forEachCodePoint(bytes.substr(0, 200), sniffed.form, [&](char32_t c) {
        if (!isVisible(c)) return true;
        if (c == U'<') kind = FeedDataKind::xml;
        if (c == U'{') kind = FeedDataKind::json;
        return false;
    });
    return kind;
}

}  // namespace syndra::detail
