#pragma once

// The parser's machinery, for programs that build or extend a model the way
// the parser does: the element paths of each vocabulary, the attribute view,
// reading an element's attributes into a model object, the path rules, and
// the date formatters. The model headers themselves hold data only.

#include <syndra/atom_feed.hpp>
#include <syndra/attribute_map.hpp>
#include <syndra/date_formatters.hpp>
#include <syndra/export.hpp>
#include <syndra/itunes.hpp>
#include <syndra/media.hpp>
#include <syndra/paths.hpp>
#include <syndra/rss_feed.hpp>

#include <optional>
#include <string_view>

namespace syndra {

/// The `Attributes` of model class T read from an element's attributes, each
/// field from the attribute of exactly its name, converted as its type says;
/// nothing when the element has no attributes at all. Defined for every model
/// class with a nested `Attributes`.
template <class T>
std::optional<typename T::Attributes> attributesFrom(const AttributeMap& map);

/// A new model object for an element with attributes `map`.
template <class T>
T fromAttributes(const AttributeMap& map) {
    T value{};
    value.attributes = attributesFrom<T>(map);
    return value;
}

template <>
std::optional<RSSFeedCategory::Attributes> attributesFrom<RSSFeedCategory>(const AttributeMap& map);
template <>
std::optional<RSSFeedCloud::Attributes> attributesFrom<RSSFeedCloud>(const AttributeMap& map);
template <>
std::optional<RSSFeedItemCategory::Attributes> attributesFrom<RSSFeedItemCategory>(
    const AttributeMap& map);
template <>
std::optional<RSSFeedItemEnclosure::Attributes> attributesFrom<RSSFeedItemEnclosure>(
    const AttributeMap& map);
template <>
std::optional<RSSFeedItemGUID::Attributes> attributesFrom<RSSFeedItemGUID>(const AttributeMap& map);
template <>
std::optional<RSSFeedItemSource::Attributes> attributesFrom<RSSFeedItemSource>(
    const AttributeMap& map);
template <>
std::optional<AtomFeedSubtitle::Attributes> attributesFrom<AtomFeedSubtitle>(
    const AttributeMap& map);
template <>
std::optional<AtomFeedLink::Attributes> attributesFrom<AtomFeedLink>(const AttributeMap& map);
template <>
std::optional<AtomFeedCategory::Attributes> attributesFrom<AtomFeedCategory>(
    const AttributeMap& map);
template <>
std::optional<AtomFeedGenerator::Attributes> attributesFrom<AtomFeedGenerator>(
    const AttributeMap& map);
template <>
std::optional<AtomFeedEntrySummary::Attributes> attributesFrom<AtomFeedEntrySummary>(
    const AttributeMap& map);
template <>
std::optional<AtomFeedEntryLink::Attributes> attributesFrom<AtomFeedEntryLink>(
    const AttributeMap& map);
template <>
std::optional<AtomFeedEntryCategory::Attributes> attributesFrom<AtomFeedEntryCategory>(
    const AttributeMap& map);
template <>
std::optional<AtomFeedEntryContent::Attributes> attributesFrom<AtomFeedEntryContent>(
    const AttributeMap& map);
template <>
std::optional<ITunesSubCategory::Attributes> attributesFrom<ITunesSubCategory>(
    const AttributeMap& map);
template <>
std::optional<ITunesCategory::Attributes> attributesFrom<ITunesCategory>(const AttributeMap& map);
template <>
std::optional<ITunesImage::Attributes> attributesFrom<ITunesImage>(const AttributeMap& map);
template <>
std::optional<MediaCategory::Attributes> attributesFrom<MediaCategory>(const AttributeMap& map);
template <>
std::optional<MediaCopyright::Attributes> attributesFrom<MediaCopyright>(const AttributeMap& map);
template <>
std::optional<MediaCredit::Attributes> attributesFrom<MediaCredit>(const AttributeMap& map);
template <>
std::optional<MediaDescription::Attributes> attributesFrom<MediaDescription>(
    const AttributeMap& map);
template <>
std::optional<MediaParam::Attributes> attributesFrom<MediaParam>(const AttributeMap& map);
template <>
std::optional<MediaEmbed::Attributes> attributesFrom<MediaEmbed>(const AttributeMap& map);
template <>
std::optional<MediaHash::Attributes> attributesFrom<MediaHash>(const AttributeMap& map);
template <>
std::optional<MediaLicence::Attributes> attributesFrom<MediaLicence>(const AttributeMap& map);
template <>
std::optional<MediaLocation::Attributes> attributesFrom<MediaLocation>(const AttributeMap& map);
template <>
std::optional<MediaPeerLink::Attributes> attributesFrom<MediaPeerLink>(const AttributeMap& map);
template <>
std::optional<MediaPlayer::Attributes> attributesFrom<MediaPlayer>(const AttributeMap& map);
template <>
std::optional<MediaPrice::Attributes> attributesFrom<MediaPrice>(const AttributeMap& map);
template <>
std::optional<MediaRating::Attributes> attributesFrom<MediaRating>(const AttributeMap& map);
template <>
std::optional<MediaRestriction::Attributes> attributesFrom<MediaRestriction>(
    const AttributeMap& map);
template <>
std::optional<MediaRights::Attributes> attributesFrom<MediaRights>(const AttributeMap& map);
template <>
std::optional<MediaStarRating::Attributes> attributesFrom<MediaStarRating>(const AttributeMap& map);
template <>
std::optional<MediaStatistics::Attributes> attributesFrom<MediaStatistics>(const AttributeMap& map);
template <>
std::optional<MediaStatus::Attributes> attributesFrom<MediaStatus>(const AttributeMap& map);
template <>
std::optional<MediaSubTitle::Attributes> attributesFrom<MediaSubTitle>(const AttributeMap& map);
template <>
std::optional<MediaText::Attributes> attributesFrom<MediaText>(const AttributeMap& map);
template <>
std::optional<MediaThumbnail::Attributes> attributesFrom<MediaThumbnail>(const AttributeMap& map);
template <>
std::optional<MediaTitle::Attributes> attributesFrom<MediaTitle>(const AttributeMap& map);
template <>
std::optional<MediaContent::Attributes> attributesFrom<MediaContent>(const AttributeMap& map);

// What the parser does with each element of a recognised path: a model can be
// built (or extended) by calling these in document order. A path without such
// a rule changes nothing.

/// The element-start rule of an RSS 2.0 path: create the item, category,
/// enclosure, namespace object... that an element of `path` opens, from its
/// attributes where the class keeps them.
SYNDRA_EXPORT void mapAttributes(RSSFeed& feed, const AttributeMap& attributes, RSSPath path);
/// The text rule of an RSS 2.0 path for `text`: appended to a text field, or
/// converted (a date, an integer, a duration...) into its field.
SYNDRA_EXPORT void mapCharacters(RSSFeed& feed, std::string_view text, RSSPath path);
/// The element-start rule of an RDF path (RDF attributes are not read).
SYNDRA_EXPORT void mapAttributes(RSSFeed& feed, RDFPath path);
/// The text rule of an RDF path for `text`.
SYNDRA_EXPORT void mapCharacters(RSSFeed& feed, std::string_view text, RDFPath path);
/// The element-start rule of an Atom path.
SYNDRA_EXPORT void mapAttributes(AtomFeed& feed, const AttributeMap& attributes, AtomPath path);
/// The text rule of an Atom path for `text`: appended to a text field, or
/// converted into a date field.
SYNDRA_EXPORT void mapCharacters(AtomFeed& feed, std::string_view text, AtomPath path);

}  // namespace syndra
