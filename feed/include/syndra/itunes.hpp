#pragma once

#include <syndra/indirect.hpp>
#include <syndra/real.hpp>
#include <syndra/text.hpp>

#include <cstdint>
#include <optional>
#include <vector>

namespace syndra {

/// An "itunes:category" nested in another "itunes:category".
struct ITunesSubCategory {
    struct Attributes {
        std::optional<Text> text{};

        template <class V>
        void visitFields(V&& v) const {
            v("text", text);
        }
        friend bool operator==(const Attributes&, const Attributes&) = default;
    };

    std::optional<Attributes> attributes{};

    ITunesSubCategory() = default;

    template <class V>
    void visitFields(V&& v) const {
        v("attributes", attributes);
    }
    friend bool operator==(const ITunesSubCategory&, const ITunesSubCategory&) = default;
};

/// A channel's "itunes:category"; a nested one becomes its subcategory (the
/// last nested one wins, deeper levels are not read).
struct ITunesCategory {
    struct Attributes {
        std::optional<Text> text{};

        template <class V>
        void visitFields(V&& v) const {
            v("text", text);
        }
        friend bool operator==(const Attributes&, const Attributes&) = default;
    };

    std::optional<Attributes> attributes{};
    std::optional<ITunesSubCategory> subcategory{};

    ITunesCategory() = default;

    template <class V>
    void visitFields(V&& v) const {
        v("attributes", attributes);
        v("subcategory", subcategory);
    }
    friend bool operator==(const ITunesCategory&, const ITunesCategory&) = default;
};

/// "itunes:image": the artwork, by its "href" attribute.
struct ITunesImage {
    struct Attributes {
        std::optional<Text> href{};

        template <class V>
        void visitFields(V&& v) const {
            v("href", href);
        }
        friend bool operator==(const Attributes&, const Attributes&) = default;
    };

    std::optional<Attributes> attributes{};

    ITunesImage() = default;

    template <class V>
    void visitFields(V&& v) const {
        v("attributes", attributes);
    }
    friend bool operator==(const ITunesImage&, const ITunesImage&) = default;
};

/// "itunes:owner" with its "itunes:email" and "itunes:name" children.
struct ITunesOwner {
    std::optional<Text> email{};
    std::optional<Text> name{};

    template <class V>
    void visitFields(V&& v) const {
        v("email", email);
        v("name", name);
    }
    friend bool operator==(const ITunesOwner&, const ITunesOwner&) = default;
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

    template <class V>
    void visitFields(V&& v) const {
        v("iTunesAuthor", iTunesAuthor);
        v("iTunesBlock", iTunesBlock);
        v("iTunesCategories", iTunesCategories);
        v("iTunesImage", iTunesImage);
        v("iTunesDuration", iTunesDuration);
        v("iTunesExplicit", iTunesExplicit);
        v("isClosedCaptioned", isClosedCaptioned);
        v("iTunesOrder", iTunesOrder);
        v("iTunesComplete", iTunesComplete);
        v("iTunesNewFeedURL", iTunesNewFeedURL);
        v("iTunesOwner", iTunesOwner);
        v("iTunesTitle", iTunesTitle);
        v("iTunesSubtitle", iTunesSubtitle);
        v("iTunesSummary", iTunesSummary);
        v("iTunesKeywords", iTunesKeywords);
        v("iTunesType", iTunesType);
        v("iTunesEpisodeType", iTunesEpisodeType);
        v("iTunesSeason", iTunesSeason);
        v("iTunesEpisode", iTunesEpisode);
    }
    friend bool operator==(const ITunesNamespace&, const ITunesNamespace&) = default;
};

}  // namespace syndra
