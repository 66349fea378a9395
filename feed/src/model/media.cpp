#include "detail/attribute_reading.hpp"

#include <syndra/media.hpp>

namespace syndra {

using namespace detail;

std::optional<MediaCategory::Attributes> MediaCategory::Attributes::from(const AttributeMap& map) {
    if (map.empty()) return std::nullopt;
    Attributes a;
    a.scheme = textAttribute(map, "scheme");
    a.label = textAttribute(map, "label");
    return a;
}

MediaCategory::MediaCategory(const AttributeMap& map) : attributes(Attributes::from(map)) {}

std::optional<MediaCopyright::Attributes> MediaCopyright::Attributes::from(
    const AttributeMap& map) {
    if (map.empty()) return std::nullopt;
    Attributes a;
    a.url = textAttribute(map, "url");
    return a;
}

MediaCopyright::MediaCopyright(const AttributeMap& map) : attributes(Attributes::from(map)) {}

std::optional<MediaCredit::Attributes> MediaCredit::Attributes::from(const AttributeMap& map) {
    if (map.empty()) return std::nullopt;
    Attributes a;
    a.role = textAttribute(map, "role");
    a.scheme = textAttribute(map, "scheme");
    return a;
}

MediaCredit::MediaCredit(const AttributeMap& map) : attributes(Attributes::from(map)) {}

std::optional<MediaDescription::Attributes> MediaDescription::Attributes::from(
    const AttributeMap& map) {
    if (map.empty()) return std::nullopt;
    Attributes a;
    a.type = textAttribute(map, "type");
    return a;
}

MediaDescription::MediaDescription(const AttributeMap& map) : attributes(Attributes::from(map)) {}

std::optional<MediaParam::Attributes> MediaParam::Attributes::from(const AttributeMap& map) {
    if (map.empty()) return std::nullopt;
    Attributes a;
    a.name = textAttribute(map, "name");
    return a;
}

MediaParam::MediaParam(const AttributeMap& map) : attributes(Attributes::from(map)) {}

std::optional<MediaEmbed::Attributes> MediaEmbed::Attributes::from(const AttributeMap& map) {
    if (map.empty()) return std::nullopt;
    Attributes a;
    a.url = textAttribute(map, "url");
    a.width = intAttribute(map, "width");
    a.height = intAttribute(map, "height");
    return a;
}

MediaEmbed::MediaEmbed(const AttributeMap& map) : attributes(Attributes::from(map)) {}

std::optional<MediaHash::Attributes> MediaHash::Attributes::from(const AttributeMap& map) {
    if (map.empty()) return std::nullopt;
    Attributes a;
    a.algo = textAttribute(map, "algo");
    return a;
}

MediaHash::MediaHash(const AttributeMap& map) : attributes(Attributes::from(map)) {}

std::optional<MediaLicence::Attributes> MediaLicence::Attributes::from(const AttributeMap& map) {
    if (map.empty()) return std::nullopt;
    Attributes a;
    a.type = textAttribute(map, "type");
    a.href = textAttribute(map, "href");
    return a;
}

MediaLicence::MediaLicence(const AttributeMap& map) : attributes(Attributes::from(map)) {}

std::optional<MediaLocation::Attributes> MediaLocation::Attributes::from(const AttributeMap& map) {
    if (map.empty()) return std::nullopt;
    Attributes a;
    a.description = textAttribute(map, "description");
    a.start = durationAttribute(map, "start");
    a.end = durationAttribute(map, "end");
    return a;
}

MediaLocation::MediaLocation(const AttributeMap& map) : attributes(Attributes::from(map)) {}

std::optional<MediaPeerLink::Attributes> MediaPeerLink::Attributes::from(const AttributeMap& map) {
    if (map.empty()) return std::nullopt;
    Attributes a;
    a.type = textAttribute(map, "type");
    a.href = textAttribute(map, "href");
    return a;
}

MediaPeerLink::MediaPeerLink(const AttributeMap& map) : attributes(Attributes::from(map)) {}

std::optional<MediaPlayer::Attributes> MediaPlayer::Attributes::from(const AttributeMap& map) {
    if (map.empty()) return std::nullopt;
    Attributes a;
    a.url = textAttribute(map, "url");
    a.width = intAttribute(map, "width");
    a.height = intAttribute(map, "height");
    return a;
}

MediaPlayer::MediaPlayer(const AttributeMap& map) : attributes(Attributes::from(map)) {}

std::optional<MediaPrice::Attributes> MediaPrice::Attributes::from(const AttributeMap& map) {
    if (map.empty()) return std::nullopt;
    Attributes a;
    a.type = textAttribute(map, "type");
    a.price = doubleAttribute(map, "price");
    a.info = textAttribute(map, "info");
    a.currency = textAttribute(map, "currency");
    return a;
}

MediaPrice::MediaPrice(const AttributeMap& map) : attributes(Attributes::from(map)) {}

std::optional<MediaRating::Attributes> MediaRating::Attributes::from(const AttributeMap& map) {
    if (map.empty()) return std::nullopt;
    Attributes a;
    a.scheme = textAttribute(map, "scheme");
    return a;
}

MediaRating::MediaRating(const AttributeMap& map) : attributes(Attributes::from(map)) {}

std::optional<MediaRestriction::Attributes> MediaRestriction::Attributes::from(
    const AttributeMap& map) {
    if (map.empty()) return std::nullopt;
    Attributes a;
    a.relationship = textAttribute(map, "relationship");
    a.type = textAttribute(map, "type");
    return a;
}

MediaRestriction::MediaRestriction(const AttributeMap& map) : attributes(Attributes::from(map)) {}

std::optional<MediaRights::Attributes> MediaRights::Attributes::from(const AttributeMap& map) {
    if (map.empty()) return std::nullopt;
    Attributes a;
    a.status = textAttribute(map, "status");
    return a;
}

MediaRights::MediaRights(const AttributeMap& map) : attributes(Attributes::from(map)) {}

std::optional<MediaStarRating::Attributes> MediaStarRating::Attributes::from(
    const AttributeMap& map) {
    if (map.empty()) return std::nullopt;
    Attributes a;
    a.average = doubleAttribute(map, "average");
    a.count = intAttribute(map, "count");
    a.min = intAttribute(map, "min");
    a.max = intAttribute(map, "max");
    return a;
}

MediaStarRating::MediaStarRating(const AttributeMap& map) : attributes(Attributes::from(map)) {}

std::optional<MediaStatistics::Attributes> MediaStatistics::Attributes::from(
    const AttributeMap& map) {
    if (map.empty()) return std::nullopt;
    Attributes a;
    a.views = intAttribute(map, "views");
    a.favorites = intAttribute(map, "favorites");
    return a;
}

MediaStatistics::MediaStatistics(const AttributeMap& map) : attributes(Attributes::from(map)) {}

std::optional<MediaStatus::Attributes> MediaStatus::Attributes::from(const AttributeMap& map) {
    if (map.empty()) return std::nullopt;
    Attributes a;
    a.state = textAttribute(map, "state");
    a.reason = textAttribute(map, "reason");
    return a;
}

MediaStatus::MediaStatus(const AttributeMap& map) : attributes(Attributes::from(map)) {}

std::optional<MediaSubTitle::Attributes> MediaSubTitle::Attributes::from(const AttributeMap& map) {
    if (map.empty()) return std::nullopt;
    Attributes a;
    a.type = textAttribute(map, "type");
    a.lang = textAttribute(map, "lang");
    a.href = textAttribute(map, "href");
    return a;
}

MediaSubTitle::MediaSubTitle(const AttributeMap& map) : attributes(Attributes::from(map)) {}

std::optional<MediaText::Attributes> MediaText::Attributes::from(const AttributeMap& map) {
    if (map.empty()) return std::nullopt;
    Attributes a;
    a.type = textAttribute(map, "type");
    a.lang = textAttribute(map, "lang");
    a.start = textAttribute(map, "start");
    a.end = textAttribute(map, "end");
    return a;
}

MediaText::MediaText(const AttributeMap& map) : attributes(Attributes::from(map)) {}

std::optional<MediaThumbnail::Attributes> MediaThumbnail::Attributes::from(
    const AttributeMap& map) {
    if (map.empty()) return std::nullopt;
    Attributes a;
    a.url = textAttribute(map, "url");
    a.width = textAttribute(map, "width");
    a.height = textAttribute(map, "height");
    a.time = textAttribute(map, "time");
    return a;
}

MediaThumbnail::MediaThumbnail(const AttributeMap& map) : attributes(Attributes::from(map)) {}

std::optional<MediaTitle::Attributes> MediaTitle::Attributes::from(const AttributeMap& map) {
    if (map.empty()) return std::nullopt;
    Attributes a;
    a.type = textAttribute(map, "type");
    return a;
}

MediaTitle::MediaTitle(const AttributeMap& map) : attributes(Attributes::from(map)) {}

std::optional<MediaContent::Attributes> MediaContent::Attributes::from(const AttributeMap& map) {
    if (map.empty()) return std::nullopt;
    Attributes a;
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
    return a;
}

MediaContent::MediaContent(const AttributeMap& map) : attributes(Attributes::from(map)) {}

}  // namespace syndra
