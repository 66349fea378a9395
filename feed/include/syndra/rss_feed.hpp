#pragma once

#include <syndra/content.hpp>
#include <syndra/date.hpp>
#include <syndra/dublin_core.hpp>
#include <syndra/fields.hpp>
#include <syndra/indirect.hpp>
#include <syndra/itunes.hpp>
#include <syndra/media.hpp>
#include <syndra/syndication.hpp>
#include <syndra/text.hpp>

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace syndra {

// The model of an RSS 2.0 or RDF (RSS 1.0) document. RSSFeed stands for the
// channel; it holds the items and a few small companion objects. Classes for
// elements with XML attributes carry them in a nested `Attributes`, built only
// when the element has at least one attribute.

/// A "skipDays/day" value.
enum class RSSFeedSkipDay { monday, tuesday, wednesday, thursday, friday, saturday, sunday };

/// "monday", "tuesday", ...
std::string_view rawValue(RSSFeedSkipDay day) noexcept;
/// The day whose raw value is exactly `raw`.
std::optional<RSSFeedSkipDay> skipDayFromRawValue(std::string_view raw) noexcept;
/// The day an element's text names: case-folded (all of Unicode), then an exact match (no
/// trimming), so "Sunday" is sunday and " sunday" is nothing.
std::optional<RSSFeedSkipDay> skipDayFromText(std::string_view text) noexcept;

struct RSSFeedCategoryAttributes {
    std::optional<Text> domain{};

    static constexpr auto fields = std::tuple{field("domain", &RSSFeedCategoryAttributes::domain)};
};
/// A channel "category", with its "domain" attribute.
using RSSFeedCategory = TextWithAttributes<RSSFeedCategoryAttributes>;

struct RSSFeedCloudAttributes {
    std::optional<Text> domain{};
    std::optional<std::int64_t> port{};
    std::optional<Text> path{};
    std::optional<Text> registerProcedure{};
    /// The "protocol" attribute.
    std::optional<Text> protocolSpecification{};

    static constexpr auto fields = std::tuple{
        field("domain", &RSSFeedCloudAttributes::domain),
        field("port", &RSSFeedCloudAttributes::port), field("path", &RSSFeedCloudAttributes::path),
        field("registerProcedure", &RSSFeedCloudAttributes::registerProcedure),
        field("protocolSpecification", &RSSFeedCloudAttributes::protocolSpecification)
            .as("protocol")};
};

/// The channel "cloud": where to register for update notifications.
using RSSFeedCloud = WithAttributes<RSSFeedCloudAttributes>;

/// The channel "image".
struct RSSFeedImage {
    std::optional<Text> url{};
    std::optional<Text> title{};
    std::optional<Text> link{};
    std::optional<std::int64_t> width{};
    std::optional<std::int64_t> height{};
    std::optional<Text> description{};

    static constexpr auto fields = std::tuple{
        field("url", &RSSFeedImage::url),       field("title", &RSSFeedImage::title),
        field("link", &RSSFeedImage::link),     field("width", &RSSFeedImage::width),
        field("height", &RSSFeedImage::height), field("description", &RSSFeedImage::description)};
};

/// The channel "textInput": a search box offered with the feed.
struct RSSFeedTextInput {
    std::optional<Text> title{};
    std::optional<Text> description{};
    std::optional<Text> name{};
    std::optional<Text> link{};

    static constexpr auto fields =
        std::tuple{field("title", &RSSFeedTextInput::title),
                   field("description", &RSSFeedTextInput::description),
                   field("name", &RSSFeedTextInput::name), field("link", &RSSFeedTextInput::link)};
};

/// An item "category", with its "domain" attribute.
using RSSFeedItemCategory = RSSFeedCategory;

struct RSSFeedItemEnclosureAttributes {
    std::optional<Text> url{};
    /// Bytes.
    std::optional<std::int64_t> length{};
    std::optional<Text> type{};

    static constexpr auto fields =
        std::tuple{field("url", &RSSFeedItemEnclosureAttributes::url),
                   field("length", &RSSFeedItemEnclosureAttributes::length),
                   field("type", &RSSFeedItemEnclosureAttributes::type)};
};

/// An item "enclosure": the attached media file.
struct RSSFeedItemEnclosure {
    using Attributes = RSSFeedItemEnclosureAttributes;

    std::optional<Attributes> attributes{};

    static constexpr auto fields =
        std::tuple{field("attributes", &RSSFeedItemEnclosure::attributes)};
};

struct RSSFeedItemGUIDAttributes {
    std::optional<bool> isPermaLink{};

    static constexpr auto fields =
        std::tuple{field("isPermaLink", &RSSFeedItemGUIDAttributes::isPermaLink)};
};
/// An item "guid".
using RSSFeedItemGUID = TextWithAttributes<RSSFeedItemGUIDAttributes>;

struct RSSFeedItemSourceAttributes {
    std::optional<Text> url{};

    static constexpr auto fields = std::tuple{field("url", &RSSFeedItemSourceAttributes::url)};
};
/// An item "source": the channel the item came from.
using RSSFeedItemSource = TextWithAttributes<RSSFeedItemSourceAttributes>;

/// One "item" of the channel. The source, rare in practice, is held through
/// Indirect (it reads like std::optional) so that it costs other items only a
/// pointer.
struct RSSFeedItem {
    std::optional<Text> title{};
    std::optional<Text> link{};
    std::optional<Text> description{};
    std::optional<Text> author{};
    std::optional<std::vector<RSSFeedItemCategory>> categories{};
    std::optional<Text> comments{};
    std::optional<RSSFeedItemEnclosure> enclosure{};
    std::optional<RSSFeedItemGUID> guid{};
    std::optional<Date> pubDate{};
    Indirect<RSSFeedItemSource> source{};
    Indirect<DublinCoreNamespace> dublinCore{};
    Indirect<ContentNamespace> content{};
    Indirect<ITunesNamespace> iTunes{};
    Indirect<MediaNamespace> media{};

    static constexpr auto fields = std::tuple{field("title", &RSSFeedItem::title),
                                              field("link", &RSSFeedItem::link),
                                              field("description", &RSSFeedItem::description),
                                              field("author", &RSSFeedItem::author),
                                              field("categories", &RSSFeedItem::categories),
                                              field("comments", &RSSFeedItem::comments),
                                              field("enclosure", &RSSFeedItem::enclosure),
                                              field("guid", &RSSFeedItem::guid),
                                              field("pubDate", &RSSFeedItem::pubDate),
                                              field("source", &RSSFeedItem::source),
                                              field("dublinCore", &RSSFeedItem::dublinCore),
                                              field("content", &RSSFeedItem::content),
                                              field("iTunes", &RSSFeedItem::iTunes),
                                              field("media", &RSSFeedItem::media)};
};

/// The channel of an RSS 2.0 or RDF document, with its items.
struct RSSFeed {
    std::optional<Text> title{};
    std::optional<Text> link{};
    std::optional<Text> description{};
    std::optional<Text> language{};
    std::optional<Text> copyright{};
    std::optional<Text> managingEditor{};
    std::optional<Text> webMaster{};
    std::optional<Date> pubDate{};
    std::optional<Date> lastBuildDate{};
    std::optional<std::vector<RSSFeedCategory>> categories{};
    std::optional<Text> generator{};
    std::optional<Text> docs{};
    std::optional<RSSFeedCloud> cloud{};
    std::optional<Text> rating{};
    /// Minutes.
    std::optional<std::int64_t> ttl{};
    std::optional<RSSFeedImage> image{};
    std::optional<RSSFeedTextInput> textInput{};
    /// Hours of the day, 0 to 23, in document order.
    std::optional<std::vector<std::int64_t>> skipHours{};
    std::optional<std::vector<RSSFeedSkipDay>> skipDays{};
    std::optional<std::vector<RSSFeedItem>> items{};
    Indirect<DublinCoreNamespace> dublinCore{};
    Indirect<SyndicationNamespace> syndication{};
    Indirect<ITunesNamespace> iTunes{};

    static constexpr auto fields = std::tuple{field("title", &RSSFeed::title),
                                              field("link", &RSSFeed::link),
                                              field("description", &RSSFeed::description),
                                              field("language", &RSSFeed::language),
                                              field("copyright", &RSSFeed::copyright),
                                              field("managingEditor", &RSSFeed::managingEditor),
                                              field("webMaster", &RSSFeed::webMaster),
                                              field("pubDate", &RSSFeed::pubDate),
                                              field("lastBuildDate", &RSSFeed::lastBuildDate),
                                              field("categories", &RSSFeed::categories),
                                              field("generator", &RSSFeed::generator),
                                              field("docs", &RSSFeed::docs),
                                              field("cloud", &RSSFeed::cloud),
                                              field("rating", &RSSFeed::rating),
                                              field("ttl", &RSSFeed::ttl),
                                              field("image", &RSSFeed::image),
                                              field("textInput", &RSSFeed::textInput),
                                              field("skipHours", &RSSFeed::skipHours),
                                              field("skipDays", &RSSFeed::skipDays),
                                              field("items", &RSSFeed::items),
                                              field("dublinCore", &RSSFeed::dublinCore),
                                              field("syndication", &RSSFeed::syndication),
                                              field("iTunes", &RSSFeed::iTunes)};
};

}  // namespace syndra
