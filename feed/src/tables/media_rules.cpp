#include "detail/media_rules.hpp"

#include <syndra/conversions.hpp>

namespace syndra::detail {
namespace {

/// Calls f(part) for every part of `text` between `separator`s, empty parts
/// included ("a,,b" has three parts).
template <class F>
void forEachPart(std::string_view text, char separator, F&& f) {
    for (;;) {
        const std::size_t end = text.find(separator);
        f(text.substr(0, end));
        if (end == std::string_view::npos) return;
        text.remove_prefix(end + 1);
    }
}

MediaTag tagOf(std::string_view part) {
    MediaTag tag;
    std::string_view first;
    std::string_view last;
    std::size_t count = 0;
    forEachPart(part, ':', [&](std::string_view subPart) {
        if (count++ == 0) first = subPart;
        last = subPart;
    });
    tag.tag = Text(trimWhiteSpaceAndNewlines(first));
    // "a:b:3" weighs 3: whatever sits between the tag and the weight is dropped.
    if (count > 1) tag.weight = toInt(trimWhiteSpaceAndNewlines(last));
    return tag;
}

}  // namespace

std::size_t tagsText(MediaNamespace& media, std::string_view text) {
    if (!media.mediaCommunity) return 0;
    auto& tags = media.mediaCommunity->mediaTags;
    if (!tags) tags.emplace();
    const std::size_t before = tags->size();
    forEachPart(text, ',', [&tags](std::string_view part) { tags->push_back(tagOf(part)); });
    return (tags->size() - before) * sizeof(MediaTag) + text.size();
}

std::size_t keywordsText(MediaNamespace& media, std::string_view text) {
    if (text.empty() || !media.mediaContents || media.mediaContents->empty()) return 0;
    auto& keywords = media.mediaContents->back().mediaKeywords;
    if (!keywords) return 0;
    const std::size_t before = keywords->size();
    forEachPart(text, ',', [&keywords](std::string_view part) {
        keywords->emplace_back(trimWhiteSpaceAndNewlines(part));
    });
    return (keywords->size() - before) * sizeof(Text) + text.size();
}

std::size_t positionText(MediaNamespace& media, std::string_view text) {
    auto& location = media.mediaLocation;
    if (!location || location->latitude || location->longitude) return 0;
    const std::size_t space = text.find(' ');
    if (space == std::string_view::npos) return 0;
    const std::string_view latitude = text.substr(0, space);
    const std::string_view longitude = text.substr(space + 1);
    if (longitude.find(' ') != std::string_view::npos) return 0;
    location->latitude = toDouble(latitude);
    location->longitude = toDouble(longitude);
    return 0;
}

}  // namespace syndra::detail
