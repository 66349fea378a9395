#pragma once

#include <syndra/date.hpp>
#include <syndra/fields.hpp>
#include <syndra/indirect.hpp>
#include <syndra/media.hpp>
#include <syndra/text.hpp>

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace syndra {

// The model of an Atom document. Feed-level and entry-level twins (links,
// categories, persons, the subtitle and the summary) are one type under two
// names.

struct AtomFeedSubtitleAttributes {
    std::optional<Text> type{};

    static constexpr auto fields = std::tuple{field("type", &AtomFeedSubtitleAttributes::type)};
};
/// The feed "subtitle"; an entry "summary" has the same shape.
using AtomFeedSubtitle = TextWithAttributes<AtomFeedSubtitleAttributes>;

struct AtomFeedLinkAttributes {
    std::optional<Text> href{};
    std::optional<Text> rel{};
    std::optional<Text> type{};
    std::optional<Text> hreflang{};
    std::optional<Text> title{};
    std::optional<std::int64_t> length{};

    static constexpr auto fields = std::tuple{field("href", &AtomFeedLinkAttributes::href),
                                              field("rel", &AtomFeedLinkAttributes::rel),
                                              field("type", &AtomFeedLinkAttributes::type),
                                              field("hreflang", &AtomFeedLinkAttributes::hreflang),
                                              field("title", &AtomFeedLinkAttributes::title),
                                              field("length", &AtomFeedLinkAttributes::length)};
};

/// A feed "link".
using AtomFeedLink = WithAttributes<AtomFeedLinkAttributes>;

struct AtomFeedCategoryAttributes {
    std::optional<Text> term{};
    std::optional<Text> scheme{};
    std::optional<Text> label{};

    static constexpr auto fields = std::tuple{field("term", &AtomFeedCategoryAttributes::term),
                                              field("scheme", &AtomFeedCategoryAttributes::scheme),
                                              field("label", &AtomFeedCategoryAttributes::label)};
};

/// A feed "category".
using AtomFeedCategory = WithAttributes<AtomFeedCategoryAttributes>;

/// A feed "author"; every Atom person (contributor, entry author) has this
/// shape.
struct AtomFeedAuthor {
    std::optional<Text> name{};
    std::optional<Text> email{};
    std::optional<Text> uri{};

    static constexpr auto fields =
        std::tuple{field("name", &AtomFeedAuthor::name), field("email", &AtomFeedAuthor::email),
                   field("uri", &AtomFeedAuthor::uri)};
};

/// A feed "contributor".
using AtomFeedContributor = AtomFeedAuthor;

struct AtomFeedGeneratorAttributes {
    std::optional<Text> uri{};
    std::optional<Text> version{};

    static constexpr auto fields =
        std::tuple{field("uri", &AtomFeedGeneratorAttributes::uri),
                   field("version", &AtomFeedGeneratorAttributes::version)};
};
/// The feed "generator": the software that wrote the feed.
using AtomFeedGenerator = TextWithAttributes<AtomFeedGeneratorAttributes>;

/// An entry "summary".
using AtomFeedEntrySummary = AtomFeedSubtitle;

/// An entry "author".
using AtomFeedEntryAuthor = AtomFeedAuthor;

/// An entry "contributor".
using AtomFeedEntryContributor = AtomFeedAuthor;

/// An entry "link".
using AtomFeedEntryLink = AtomFeedLink;

/// An entry "category".
using AtomFeedEntryCategory = AtomFeedCategory;

struct AtomFeedEntryContentAttributes {
    std::optional<Text> type{};
    std::optional<Text> src{};

    static constexpr auto fields = std::tuple{field("type", &AtomFeedEntryContentAttributes::type),
                                              field("src", &AtomFeedEntryContentAttributes::src)};
};
/// An entry "content": inline text, or a reference by "src".
using AtomFeedEntryContent = TextWithAttributes<AtomFeedEntryContentAttributes>;

/// An entry "source": the feed the entry was copied from.
struct AtomFeedEntrySource {
    std::optional<Text> id{};
    std::optional<Text> title{};
    std::optional<Date> updated{};

    static constexpr auto fields = std::tuple{field("id", &AtomFeedEntrySource::id),
                                              field("title", &AtomFeedEntrySource::title),
                                              field("updated", &AtomFeedEntrySource::updated)};
};

/// One "entry" of the feed.
struct AtomFeedEntry {
    std::optional<Text> title{};
    std::optional<AtomFeedEntrySummary> summary{};
    std::optional<std::vector<AtomFeedEntryAuthor>> authors{};
    std::optional<std::vector<AtomFeedEntryContributor>> contributors{};
    std::optional<std::vector<AtomFeedEntryLink>> links{};
    std::optional<Date> updated{};
    std::optional<std::vector<AtomFeedEntryCategory>> categories{};
    std::optional<Text> id{};
    std::optional<AtomFeedEntryContent> content{};
    std::optional<Date> published{};
    std::optional<AtomFeedEntrySource> source{};
    std::optional<Text> rights{};
    Indirect<MediaNamespace> media{};

    static constexpr auto fields = std::tuple{field("title", &AtomFeedEntry::title),
                                              field("summary", &AtomFeedEntry::summary),
                                              field("authors", &AtomFeedEntry::authors),
                                              field("contributors", &AtomFeedEntry::contributors),
                                              field("links", &AtomFeedEntry::links),
                                              field("updated", &AtomFeedEntry::updated),
                                              field("categories", &AtomFeedEntry::categories),
                                              field("id", &AtomFeedEntry::id),
                                              field("content", &AtomFeedEntry::content),
                                              field("published", &AtomFeedEntry::published),
                                              field("source", &AtomFeedEntry::source),
                                              field("rights", &AtomFeedEntry::rights),
                                              field("media", &AtomFeedEntry::media)};
};

/// The "feed" root of an Atom document, with its entries.
struct AtomFeed {
    std::optional<Text> title{};
    std::optional<AtomFeedSubtitle> subtitle{};
    std::optional<std::vector<AtomFeedLink>> links{};
    std::optional<Date> updated{};
    std::optional<std::vector<AtomFeedCategory>> categories{};
    std::optional<std::vector<AtomFeedAuthor>> authors{};
    std::optional<std::vector<AtomFeedContributor>> contributors{};
    std::optional<Text> id{};
    std::optional<AtomFeedGenerator> generator{};
    std::optional<Text> icon{};
    std::optional<Text> logo{};
    std::optional<Text> rights{};
    std::optional<std::vector<AtomFeedEntry>> entries{};

    static constexpr auto fields = std::tuple{field("title", &AtomFeed::title),
                                              field("subtitle", &AtomFeed::subtitle),
                                              field("links", &AtomFeed::links),
                                              field("updated", &AtomFeed::updated),
                                              field("categories", &AtomFeed::categories),
                                              field("authors", &AtomFeed::authors),
                                              field("contributors", &AtomFeed::contributors),
                                              field("id", &AtomFeed::id),
                                              field("generator", &AtomFeed::generator),
                                              field("icon", &AtomFeed::icon),
                                              field("logo", &AtomFeed::logo),
                                              field("rights", &AtomFeed::rights),
                                              field("entries", &AtomFeed::entries)};
};

}  // namespace syndra
