#pragma once

#include <syndra/fields.hpp>
#include <syndra/indirect.hpp>
#include <syndra/real.hpp>
#include <syndra/text.hpp>

#include <cstdint>
#include <optional>
#include <vector>

namespace syndra {

struct ITunesSubCategoryAttributes {
    std::optional<Text> text{};

    static constexpr auto fields = std::tuple{field("text", &ITunesSubCategoryAttributes::text)};
};

/// An "itunes:category" nested in another "itunes:category".
using ITunesSubCategory = WithAttributes<ITunesSubCategoryAttributes>;

struct ITunesCategoryAttributes {
    std::optional<Text> text{};

    static constexpr auto fields = std::tuple{field("text", &ITunesCategoryAttributes::text)};
};

/// A channel's "itunes:category"; a nested one becomes its subcategory (the
/// last nested one wins, deeper levels are not read).
struct ITunesCategory {
    using Attributes = ITunesCategoryAttributes;

    std::optional<Attributes> attributes{};
    std::optional<ITunesSubCategory> subcategory{};

    static constexpr auto fields = std::tuple{field("attributes", &ITunesCategory::attributes),
                                              field("subcategory", &ITunesCategory::subcategory)};
};

struct ITunesImageAttributes {
    std::optional<Text> href{};

    static constexpr auto fields = std::tuple{field("href", &ITunesImageAttributes::href)};
};

/// "itunes:image": the artwork, by its "href" attribute.
using ITunesImage = WithAttributes<ITunesImageAttributes>;

/// "itunes:owner" with its "itunes:email" and "itunes:name" children.
struct ITunesOwner {
    std::optional<Text> email{};
    std::optional<Text> name{};

    static constexpr auto fields =
        std::tuple{field("email", &ITunesOwner::email), field("name", &ITunesOwner::name)};
};

/// The "itunes:" elements of a channel or of an item. Flags (explicit, block,
/// complete, closed-captioned) stay texts as the document writes them.
/// The owner is a channel element; it is held through Indirect so that it
/// costs every item only a pointer.
struct ITunesNamespace {
    std::optional<Text> iTunesAuthor{};
    std::optional<Text> iTunesBlock{};
    std::optional<std::vector<ITunesCategory>> iTunesCategories{};
    std::optional<ITunesImage> iTunesImage{};
    /// Seconds.
    std::optional<Real> iTunesDuration{};
    std::optional<Text> iTunesExplicit{};
    std::optional<Text> isClosedCaptioned{};
    std::optional<std::int64_t> iTunesOrder{};
    std::optional<Text> iTunesComplete{};
    std::optional<Text> iTunesNewFeedURL{};
    Indirect<ITunesOwner> iTunesOwner{};
    std::optional<Text> iTunesTitle{};
    std::optional<Text> iTunesSubtitle{};
    std::optional<Text> iTunesSummary{};
    std::optional<Text> iTunesKeywords{};
    std::optional<Text> iTunesType{};
    std::optional<Text> iTunesEpisodeType{};
    std::optional<std::int64_t> iTunesSeason{};
    std::optional<std::int64_t> iTunesEpisode{};

    static constexpr auto fields =
        std::tuple{field("iTunesAuthor", &ITunesNamespace::iTunesAuthor),
                   field("iTunesBlock", &ITunesNamespace::iTunesBlock),
                   field("iTunesCategories", &ITunesNamespace::iTunesCategories),
                   field("iTunesImage", &ITunesNamespace::iTunesImage),
                   field("iTunesDuration", &ITunesNamespace::iTunesDuration),
                   field("iTunesExplicit", &ITunesNamespace::iTunesExplicit),
                   field("isClosedCaptioned", &ITunesNamespace::isClosedCaptioned),
                   field("iTunesOrder", &ITunesNamespace::iTunesOrder),
                   field("iTunesComplete", &ITunesNamespace::iTunesComplete),
                   field("iTunesNewFeedURL", &ITunesNamespace::iTunesNewFeedURL),
                   field("iTunesOwner", &ITunesNamespace::iTunesOwner),
                   field("iTunesTitle", &ITunesNamespace::iTunesTitle),
                   field("iTunesSubtitle", &ITunesNamespace::iTunesSubtitle),
                   field("iTunesSummary", &ITunesNamespace::iTunesSummary),
                   field("iTunesKeywords", &ITunesNamespace::iTunesKeywords),
                   field("iTunesType", &ITunesNamespace::iTunesType),
                   field("iTunesEpisodeType", &ITunesNamespace::iTunesEpisodeType),
                   field("iTunesSeason", &ITunesNamespace::iTunesSeason),
                   field("iTunesEpisode", &ITunesNamespace::iTunesEpisode)};
};

}  // namespace syndra
