#include "detail/attribute_reading.hpp"

#include <syndra/media.hpp>

namespace syndra {

using namespace detail;

// Each `from` fills the optional it returns, so the attributes are built where
// they end up instead of being moved there field by field. (It emplaces an
// empty value: clang does not count these nested classes as default
// constructible outside their enclosing class.)

std::optional<MediaCategory::Attributes> MediaCategory::Attributes::from(const AttributeMap& map) {
    std::optional<Attributes> result;
    if (map.empty()) return result;
    Attributes& a = result.emplace(Attributes{});
    a.scheme = textAttribute(map, "scheme");
    a.label = textAttribute(map, "label");
    return result;
}

MediaCategory::MediaCategory(const AttributeMap& map) : attributes(Attributes::from(map)) {}

std::optional<MediaCopyright::Attributes> MediaCopyright::Attributes::from(
    const AttributeMap& map) {
    std::optional<Attributes> result;
    if (map.empty()) return result;
    Attributes& a = result.emplace(Attributes{});
    a.url = textAttribute(map, "url");
    return result;
}

MediaCopyright::MediaCopyright(const AttributeMap& map) : attributes(Attributes::from(map)) {}

std::optional<MediaCredit::Attributes> MediaCredit::Attributes::from(const AttributeMap& map) {
    std::optional<Attributes> result;
    if (map.empty()) return result;
    Attributes& a = result.emplace(Attributes{});
    a.role = textAttribute(map, "role");
    a.scheme = textAttribute(map, "scheme");
    return result;
}

MediaCredit::MediaCredit(const AttributeMap& map) : attributes(Attributes::from(map)) {}

std::optional<MediaDescription::Attributes> MediaDescription::Attributes::from(
    const AttributeMap& map) {
    std::optional<Attributes> result;
    if (map.empty()) return result;
    Attributes& a = result.emplace(Attributes{});
    a.type = textAttribute(map, "type");
    return result;
}

MediaDescription::MediaDescription(const AttributeMap& map) : attributes(Attributes::from(map)) {}

std::optional<MediaParam::Attributes> MediaParam::Attributes::from(const AttributeMap& map) {
    std::optional<Attributes> result;
    if (map.empty()) return result;
    Attributes& a = result.emplace(Attributes{});
    a.name = textAttribute(map, "name");
    return result;
}

MediaParam::MediaParam(const AttributeMap& map) : attributes(Attributes::from(map)) {}

std::optional<MediaEmbed::Attributes> MediaEmbed::Attributes::from(const AttributeMap& map) {
    std::optional<Attributes> result;
    if (map.empty()) return result;
    Attributes& a = result.emplace(Attributes{});
    a.url = textAttribute(map, "url");
    a.width = intAttribute(map, "width");
    a.height = intAttribute(map, "height");
    return result;
}

MediaEmbed::MediaEmbed(const AttributeMap& map) : attributes(Attributes::from(map)) {}

std::optional<MediaHash::Attributes> MediaHash::Attributes::from(const AttributeMap& map) {
    std::optional<Attributes> result;
    if (map.empty()) return result;
    Attributes& a = result.emplace(Attributes{});
    a.algo = textAttribute(map, "algo");
    return result;
}

MediaHash::MediaHash(const AttributeMap& map) : attributes(Attributes::from(map)) {}

std::optional<MediaLicence::Attributes> MediaLicence::Attributes::from(const AttributeMap& map) {
    std::optional<Attributes> result;
    if (map.empty()) return result;
    Attributes& a = result.emplace(Attributes{});
    a.type = textAttribute(map, "type");
    a.href = textAttribute(map, "href");
    return result;
}

MediaLicence::MediaLicence(const AttributeMap& map) : attributes(Attributes::from(map)) {}

std::optional<MediaLocation::Attributes> MediaLocation::Attributes::from(const AttributeMap& map) {
    std::optional<Attributes> result;
    if (map.empty()) return result;
    Attributes& a = result.emplace(Attributes{});
    a.description = textAttribute(map, "description");
    a.start = durationAttribute(map, "start");
    a.end = durationAttribute(map, "end");
    return result;
}

MediaLocation::MediaLocation(const AttributeMap& map) : attributes(Attributes::from(map)) {}

std::optional<MediaPeerLink::Attributes> MediaPeerLink::Attributes::from(const AttributeMap& map) {
    std::optional<Attributes> result;
    if (map.empty()) return result;
    Attributes& a = result.emplace(Attributes{});
    a.type = textAttribute(map, "type");
    a.href = textAttribute(map, "href");
    return result;
}

MediaPeerLink::MediaPeerLink(const AttributeMap& map) : attributes(Attributes::from(map)) {}

std::optional<MediaPlayer::Attributes> MediaPlayer::Attributes::from(const AttributeMap& map) {
    std::optional<Attributes> result;
    if (map.empty()) return result;
    Attributes& a = result.emplace(Attributes{});
    a.url = textAttribute(map, "url");
    a.width = intAttribute(map, "width");
    a.height = intAttribute(map, "height");
    return result;
}

MediaPlayer::MediaPlayer(const AttributeMap& map) : attributes(Attributes::from(map)) {}

std::optional<MediaPrice::Attributes> MediaPrice::Attributes::from(const AttributeMap& map) {
    std::optional<Attributes> result;
    if (map.empty()) return result;
    Attributes& a = result.emplace(Attributes{});
    a.type = textAttribute(map, "type");
    a.price = doubleAttribute(map, "price");
    a.info = textAttribute(map, "info");
    a.currency = textAttribute(map, "currency");
    return result;
}

MediaPrice::MediaPrice(const AttributeMap& map) : attributes(Attributes::from(map)) {}

std::optional<MediaRating::Attributes> MediaRating::Attributes::from(const AttributeMap& map) {
    std::optional<Attributes> result;
    if (map.empty()) return result;
    Attributes& a = result.emplace(Attributes{});
    a.scheme = textAttribute(map, "scheme");
    return result;
}

MediaRating::MediaRating(const AttributeMap& map) : attributes(Attributes::from(map)) {}

std::optional<MediaRestriction::Attributes> MediaRestriction::Attributes::from(
    const AttributeMap& map) {
    std::optional<Attributes> result;
    if (map.empty()) return result;
    Attributes& a = result.emplace(Attributes{});
    a.relationship = textAttribute(map, "relationship");
    a.type = textAttribute(map, "type");
    return result;
}

MediaRestriction::MediaRestriction(const AttributeMap& map) : attributes(Attributes::from(map)) {}

std::optional<MediaRights::Attributes> MediaRights::Attributes::from(const AttributeMap& map) {
    std::optional<Attributes> result;
    if (map.empty()) return result;
    Attributes& a = result.emplace(Attributes{});
    a.status = textAttribute(map, "status");
    return result;
}

MediaRights::MediaRights(const AttributeMap& map) : attributes(Attributes::from(map)) {}

std::optional<MediaStarRating::Attributes> MediaStarRating::Attributes::from(
    const AttributeMap& map) {
    std::optional<Attributes> result;
    if (map.empty()) return result;
    Attributes& a = result.emplace(Attributes{});
    a.average = doubleAttribute(map, "average");
    a.count = intAttribute(map, "count");
    a.min = intAttribute(map, "min");
    a.max = intAttribute(map, "max");
    return result;
}

MediaStarRating::MediaStarRating(const AttributeMap& map) : attributes(Attributes::from(map)) {}

std::optional<MediaStatistics::Attributes> MediaStatistics::Attributes::from(
    const AttributeMap& map) {
    std::optional<Attributes> result;
    if (map.empty()) return result;
    Attributes& a = result.emplace(Attributes{});
    a.views = intAttribute(map, "views");
    a.favorites = intAttribute(map, "favorites");
    return result;
}

MediaStatistics::MediaStatistics(const AttributeMap& map) : attributes(Attributes::from(map)) {}

std::optional<MediaStatus::Attributes> MediaStatus::Attributes::from(const AttributeMap& map) {
    std::optional<Attributes> result;
    if (map.empty()) return result;
    Attributes& a = result.emplace(Attributes{});
    a.state = textAttribute(map, "state");
    a.reason = textAttribute(map, "reason");
    return result;
}

MediaStatus::MediaStatus(const AttributeMap& map) : attributes(Attributes::from(map)) {}

std::optional<MediaSubTitle::Attributes> MediaSubTitle::Attributes::from(const AttributeMap& map) {
    std::optional<Attributes> result;
    if (map.empty()) return result;
    Attributes& a = result.emplace(Attributes{});
    a.type = textAttribute(map, "type");
    a.lang = textAttribute(map, "lang");
    a.href = textAttribute(map, "href");
    return result;
}

MediaSubTitle::MediaSubTitle(const AttributeMap& map) : attributes(Attributes::from(map)) {}

std::optional<MediaText::Attributes> MediaText::Attributes::from(const AttributeMap& map) {
    std::optional<Attributes> result;
    if (map.empty()) return result;
    Attributes& a = result.emplace(Attributes{});
    a.type = textAttribute(map, "type");
    a.lang = textAttribute(map, "lang");
    a.start = textAttribute(map, "start");
    a.end = textAttribute(map, "end");
    return result;
}

MediaText::MediaText(const AttributeMap& map) : attributes(Attributes::from(map)) {}

std::optional<MediaThumbnail::Attributes> MediaThumbnail::Attributes::from(
    const AttributeMap& map) {
    std::optional<Attributes> result;
    if (map.empty()) return result;
    Attributes& a = result.emplace(Attributes{});
    a.url = textAttribute(map, "url");
    a.width = textAttribute(map, "width");
    a.height = textAttribute(map, "height");
    a.time = textAttribute(map, "time");
    return result;
}

MediaThumbnail::MediaThumbnail(const AttributeMap& map) : attributes(Attributes::from(map)) {}

std::optional<MediaTitle::Attributes> MediaTitle::Attributes::from(const AttributeMap& map) {
    std::optional<Attributes> result;
    if (map.empty()) return result;
    Attributes& a = result.emplace(Attributes{});
    a.type = textAttribute(map, "type");
    return result;
}

MediaTitle::MediaTitle(const AttributeMap& map) : attributes(Attributes::from(map)) {}

std::optional<MediaContent::Attributes> MediaContent::Attributes::from(const AttributeMap& map) {
    std::optional<Attributes> result;
    if (map.empty()) return result;
    Attributes& a = result.emplace(Attributes{});
    a.url = textAttribute(map, "url");
    a.fileSize = intAttribute(map, "fileSize");
    a.type = textAttribute(map, "type");
    a.medium = textAttribute(map, "medium");
    a.isDefault = boolAttribute(map, "isDefault");
    a.expression = textAttribute(map, "expression");
    a.bitrate = intAttribute(map, "bitrate");
    a.framerate = doubleAttribute(map, "framerate");
    a.samplingrate = doubleAttribute(map, "samplingrate");
    a.channels = intAttribute(map, "channels");
    a.duration = intAttribute(map, "duration");
    a.height = intAttribute(map, "height");
    a.width = intAttribute(map, "width");
    a.lang = textAttribute(map, "lang");
    return result;
}

MediaContent::MediaContent(const AttributeMap& map) : attributes(Attributes::from(map)) {}

}  // namespace syndra
