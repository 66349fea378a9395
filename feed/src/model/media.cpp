#include "detail/attribute_reading.hpp"

#include <syndra/mapping.hpp>

#include <syndra/media.hpp>

namespace syndra {

using namespace detail;

// Each reader fills the optional it returns, so the attributes are built where
// they end up instead of being moved there field by field. (It emplaces an
// empty value: clang does not count these nested classes as default
// constructible outside their enclosing class.)

template <>
std::optional<MediaCategory::Attributes> attributesFrom<MediaCategory>(const AttributeMap& map) {
    using Attributes = MediaCategory::Attributes;
    std::optional<Attributes> result;
    if (map.empty()) return result;
    Attributes& a = result.emplace(Attributes{});
    a.scheme = textAttribute(map, "scheme");
    a.label = textAttribute(map, "label");
    return result;
}

template <>
std::optional<MediaCopyright::Attributes> attributesFrom<MediaCopyright>(const AttributeMap& map) {
    using Attributes = MediaCopyright::Attributes;
    std::optional<Attributes> result;
    if (map.empty()) return result;
    Attributes& a = result.emplace(Attributes{});
    a.url = textAttribute(map, "url");
    return result;
}

template <>
std::optional<MediaCredit::Attributes> attributesFrom<MediaCredit>(const AttributeMap& map) {
    using Attributes = MediaCredit::Attributes;
    std::optional<Attributes> result;
    if (map.empty()) return result;
    Attributes& a = result.emplace(Attributes{});
    a.role = textAttribute(map, "role");
    a.scheme = textAttribute(map, "scheme");
    return result;
}

template <>
std::optional<MediaDescription::Attributes> attributesFrom<MediaDescription>(
    const AttributeMap& map) {
    using Attributes = MediaDescription::Attributes;
    std::optional<Attributes> result;
    if (map.empty()) return result;
    Attributes& a = result.emplace(Attributes{});
    a.type = textAttribute(map, "type");
    return result;
}

template <>
std::optional<MediaParam::Attributes> attributesFrom<MediaParam>(const AttributeMap& map) {
    using Attributes = MediaParam::Attributes;
    std::optional<Attributes> result;
    if (map.empty()) return result;
    Attributes& a = result.emplace(Attributes{});
    a.name = textAttribute(map, "name");
    return result;
}

template <>
std::optional<MediaEmbed::Attributes> attributesFrom<MediaEmbed>(const AttributeMap& map) {
    using Attributes = MediaEmbed::Attributes;
    std::optional<Attributes> result;
    if (map.empty()) return result;
    Attributes& a = result.emplace(Attributes{});
    a.url = textAttribute(map, "url");
    a.width = intAttribute(map, "width");
    a.height = intAttribute(map, "height");
    return result;
}

template <>
std::optional<MediaHash::Attributes> attributesFrom<MediaHash>(const AttributeMap& map) {
    using Attributes = MediaHash::Attributes;
    std::optional<Attributes> result;
    if (map.empty()) return result;
    Attributes& a = result.emplace(Attributes{});
    a.algo = textAttribute(map, "algo");
    return result;
}

template <>
std::optional<MediaLicence::Attributes> attributesFrom<MediaLicence>(const AttributeMap& map) {
    using Attributes = MediaLicence::Attributes;
    std::optional<Attributes> result;
    if (map.empty()) return result;
    Attributes& a = result.emplace(Attributes{});
    a.type = textAttribute(map, "type");
    a.href = textAttribute(map, "href");
    return result;
}

template <>
std::optional<MediaLocation::Attributes> attributesFrom<MediaLocation>(const AttributeMap& map) {
    using Attributes = MediaLocation::Attributes;
    std::optional<Attributes> result;
    if (map.empty()) return result;
    Attributes& a = result.emplace(Attributes{});
    a.description = textAttribute(map, "description");
    a.start = durationAttribute(map, "start");
    a.end = durationAttribute(map, "end");
    return result;
}

template <>
std::optional<MediaPeerLink::Attributes> attributesFrom<MediaPeerLink>(const AttributeMap& map) {
    using Attributes = MediaPeerLink::Attributes;
    std::optional<Attributes> result;
    if (map.empty()) return result;
    Attributes& a = result.emplace(Attributes{});
    a.type = textAttribute(map, "type");
    a.href = textAttribute(map, "href");
    return result;
}

template <>
std::optional<MediaPlayer::Attributes> attributesFrom<MediaPlayer>(const AttributeMap& map) {
    using Attributes = MediaPlayer::Attributes;
    std::optional<Attributes> result;
    if (map.empty()) return result;
    Attributes& a = result.emplace(Attributes{});
    a.url = textAttribute(map, "url");
    a.width = intAttribute(map, "width");
    a.height = intAttribute(map, "height");
    return result;
}

template <>
std::optional<MediaPrice::Attributes> attributesFrom<MediaPrice>(const AttributeMap& map) {
    using Attributes = MediaPrice::Attributes;
    std::optional<Attributes> result;
    if (map.empty()) return result;
    Attributes& a = result.emplace(Attributes{});
    a.type = textAttribute(map, "type");
    a.price = doubleAttribute(map, "price");
    a.info = textAttribute(map, "info");
    a.currency = textAttribute(map, "currency");
    return result;
}

template <>
std::optional<MediaRating::Attributes> attributesFrom<MediaRating>(const AttributeMap& map) {
    using Attributes = MediaRating::Attributes;
    std::optional<Attributes> result;
    if (map.empty()) return result;
    Attributes& a = result.emplace(Attributes{});
    a.scheme = textAttribute(map, "scheme");
    return result;
}

template <>
std::optional<MediaRestriction::Attributes> attributesFrom<MediaRestriction>(
    const AttributeMap& map) {
    using Attributes = MediaRestriction::Attributes;
    std::optional<Attributes> result;
    if (map.empty()) return result;
    Attributes& a = result.emplace(Attributes{});
    a.relationship = textAttribute(map, "relationship");
    a.type = textAttribute(map, "type");
    return result;
}

template <>
std::optional<MediaRights::Attributes> attributesFrom<MediaRights>(const AttributeMap& map) {
    using Attributes = MediaRights::Attributes;
    std::optional<Attributes> result;
    if (map.empty()) return result;
    Attributes& a = result.emplace(Attributes{});
    a.status = textAttribute(map, "status");
    return result;
}

template <>
std::optional<MediaStarRating::Attributes> attributesFrom<MediaStarRating>(
    const AttributeMap& map) {
    using Attributes = MediaStarRating::Attributes;
    std::optional<Attributes> result;
    if (map.empty()) return result;
    Attributes& a = result.emplace(Attributes{});
    a.average = doubleAttribute(map, "average");
    a.count = intAttribute(map, "count");
    a.min = intAttribute(map, "min");
    a.max = intAttribute(map, "max");
    return result;
}

template <>
std::optional<MediaStatistics::Attributes> attributesFrom<MediaStatistics>(
    const AttributeMap& map) {
    using Attributes = MediaStatistics::Attributes;
    std::optional<Attributes> result;
    if (map.empty()) return result;
    Attributes& a = result.emplace(Attributes{});
    a.views = intAttribute(map, "views");
    a.favorites = intAttribute(map, "favorites");
    return result;
}

template <>
std::optional<MediaStatus::Attributes> attributesFrom<MediaStatus>(const AttributeMap& map) {
    using Attributes = MediaStatus::Attributes;
    std::optional<Attributes> result;
    if (map.empty()) return result;
    Attributes& a = result.emplace(Attributes{});
    a.state = textAttribute(map, "state");
    a.reason = textAttribute(map, "reason");
    return result;
}

template <>
std::optional<MediaSubTitle::Attributes> attributesFrom<MediaSubTitle>(const AttributeMap& map) {
    using Attributes = MediaSubTitle::Attributes;
    std::optional<Attributes> result;
    if (map.empty()) return result;
    Attributes& a = result.emplace(Attributes{});
    a.type = textAttribute(map, "type");
    a.lang = textAttribute(map, "lang");
    a.href = textAttribute(map, "href");
    return result;
}

template <>
std::optional<MediaText::Attributes> attributesFrom<MediaText>(const AttributeMap& map) {
    using Attributes = MediaText::Attributes;
    std::optional<Attributes> result;
    if (map.empty()) return result;
    Attributes& a = result.emplace(Attributes{});
    a.type = textAttribute(map, "type");
    a.lang = textAttribute(map, "lang");
    a.start = textAttribute(map, "start");
    a.end = textAttribute(map, "end");
    return result;
}

template <>
std::optional<MediaThumbnail::Attributes> attributesFrom<MediaThumbnail>(const AttributeMap& map) {
    using Attributes = MediaThumbnail::Attributes;
    std::optional<Attributes> result;
    if (map.empty()) return result;
    Attributes& a = result.emplace(Attributes{});
    a.url = textAttribute(map, "url");
    a.width = textAttribute(map, "width");
    a.height = textAttribute(map, "height");
    a.time = textAttribute(map, "time");
    return result;
}

template <>
std::optional<MediaTitle::Attributes> attributesFrom<MediaTitle>(const AttributeMap& map) {
    using Attributes = MediaTitle::Attributes;
    std::optional<Attributes> result;
    if (map.empty()) return result;
    Attributes& a = result.emplace(Attributes{});
    a.type = textAttribute(map, "type");
    return result;
}

template <>
std::optional<MediaContent::Attributes> attributesFrom<MediaContent>(const AttributeMap& map) {
    using Attributes = MediaContent::Attributes;
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

}  // namespace syndra
