#pragma once

#include <syndra/content.hpp>
#include <syndra/date.hpp>
#include <syndra/dublin_core.hpp>
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
/// The day an element's text names: lower-cased, then an exact match (no
/// trimming), so "Sunday" is sunday and " sunday" is nothing.
std::optional<RSSFeedSkipDay> skipDayFromText(std::string_view text) noexcept;

/// A channel "category", with its "domain" attribute.
struct RSSFeedCategory {
    struct Attributes {
        std::optional<Text> domain{};

        template <class V>
        void visitFields(V&& v) const {
            v("domain", domain);
        }
        friend bool operator==(const Attributes&, const Attributes&) = default;
    };

    std::optional<Attributes> attributes{};
    std::optional<Text> value{};

    RSSFeedCategory() = default;

    template <class V>
    void visitFields(V&& v) const {
        v("attributes", attributes);
        v("value", value);
    }
    friend bool operator==(const RSSFeedCategory&, const RSSFeedCategory&) = default;
};

/// The channel "cloud": where to register for update notifications.
struct RSSFeedCloud {
    struct Attributes {
        std::optional<Text> domain{};
        std::optional<std::int64_t> port{};
        std::optional<Text> path{};
        std::optional<Text> registerProcedure{};
        /// The "protocol" attribute.
        std::optional<Text> protocolSpecification{};

        template <class V>
        void visitFields(V&& v) const {
            v("domain", domain);
            v("port", port);
            v("path", path);
            v("registerProcedure", registerProcedure);
            v("protocolSpecification", protocolSpecification);
        }
        friend bool operator==(const Attributes&, const Attributes&) = default;
    };

    std::optional<Attributes> attributes{};

    RSSFeedCloud() = default;

    template <class V>
    void visitFields(V&& v) const {
        v("attributes", attributes);
    }
    friend bool operator==(const RSSFeedCloud&, const RSSFeedCloud&) = default;
};

/// The channel "image".
struct RSSFeedImage {
    std::optional<Text> url{};
    std::optional<Text> title{};
    std::optional<Text> link{};
    std::optional<std::int64_t> width{};
    std::optional<std::int64_t> height{};
    std::optional<Text> description{};

    template <class V>
    void visitFields(V&& v) const {
        v("url", url);
        v("title", title);
        v("link", link);
        v("width", width);
        v("height", height);
        v("description", description);
    }
    friend bool operator==(const RSSFeedImage&, const RSSFeedImage&) = default;
};

/// The channel "textInput": a search box offered with the feed.
struct RSSFeedTextInput {
    std::optional<Text> title{};
    std::optional<Text> description{};
    std::optional<Text> name{};
    std::optional<Text> link{};

    template <class V>
    void visitFields(V&& v) const {
        v("title", title);
        v("description", description);
        v("name", name);
        v("link", link);
    }
    friend bool operator==(const RSSFeedTextInput&, const RSSFeedTextInput&) = default;
};

/// An item "category", with its "domain" attribute.
struct RSSFeedItemCategory {
    struct Attributes {
        std::optional<Text> domain{};

        template <class V>
        void visitFields(V&& v) const {
            v("domain", domain);
        }
        friend bool operator==(const Attributes&, const Attributes&) = default;
    };

    std::optional<Attributes> attributes{};
    std::optional<Text> value{};

    RSSFeedItemCategory() = default;

    template <class V>
    void visitFields(V&& v) const {
        v("attributes", attributes);
        v("value", value);
    }
    friend bool operator==(const RSSFeedItemCategory&, const RSSFeedItemCategory&) = default;
};

/// An item "enclosure": the attached media file.
struct RSSFeedItemEnclosure {
    struct Attributes {
        std::optional<Text> url{};
        /// Bytes.
        std::optional<std::int64_t> length{};
        std::optional<Text> type{};

        template <class V>
        void visitFields(V&& v) const {
            v("url", url);
            v("length", length);
            v("type", type);
        }
        friend bool operator==(const Attributes&, const Attributes&) = default;
    };

    std::optional<Attributes> attributes{};

    RSSFeedItemEnclosure() = default;

    template <class V>
    void visitFields(V&& v) const {
        v("attributes", attributes);
    }
    friend bool operator==(const RSSFeedItemEnclosure&, const RSSFeedItemEnclosure&) = default;
};

/// An item "guid".
struct RSSFeedItemGUID {
    struct Attributes {
        std::optional<bool> isPermaLink{};

        template <class V>
        void visitFields(V&& v) const {
            v("isPermaLink", isPermaLink);
        }
        friend bool operator==(const Attributes&, const Attributes&) = default;
    };

    std::optional<Attributes> attributes{};
    std::optional<Text> value{};

    RSSFeedItemGUID() = default;

    template <class V>
    void visitFields(V&& v) const {
        v("attributes", attributes);
        v("value", value);
    }
    friend bool operator==(const RSSFeedItemGUID&, const RSSFeedItemGUID&) = default;
};

/// An item "source": the channel the item came from.
struct RSSFeedItemSource {
    struct Attributes {
        std::optional<Text> url{};

        template <class V>
        void visitFields(V&& v) const {
            v("url", url);
        }
        friend bool operator==(const Attributes&, const Attributes&) = default;
    };

    std::optional<Attributes> attributes{};
    std::optional<Text> value{};

    RSSFeedItemSource() = default;

    template <class V>
    void visitFields(V&& v) const {
        v("attributes", attributes);
        v("value", value);
    }
    friend bool operator==(const RSSFeedItemSource&, const RSSFeedItemSource&) = default;
};

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

    template <class V>
    void visitFields(V&& v) const {
        v("title", title);
        v("link", link);
        v("description", description);
        v("author", author);
        v("categories", categories);
        v("comments", comments);
        v("enclosure", enclosure);
        v("guid", guid);
        v("pubDate", pubDate);
        v("source", source);
        v("dublinCore", dublinCore);
        v("content", content);
        v("iTunes", iTunes);
        v("media", media);
    }
    friend bool operator==(const RSSFeedItem&, const RSSFeedItem&) = default;
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

    template <class V>
    void visitFields(V&& v) const {
        v("title", title);
        v("link", link);
        v("description", description);
        v("language", language);
        v("copyright", copyright);
        v("managingEditor", managingEditor);
        v("webMaster", webMaster);
        v("pubDate", pubDate);
        v("lastBuildDate", lastBuildDate);
        v("categories", categories);
        v("generator", generator);
        v("docs", docs);
        v("cloud", cloud);
        v("rating", rating);
        v("ttl", ttl);
        v("image", image);
        v("textInput", textInput);
        v("skipHours", skipHours);
        v("skipDays", skipDays);
        v("items", items);
        v("dublinCore", dublinCore);
        v("syndication", syndication);
        v("iTunes", iTunes);
    }
    friend bool operator==(const RSSFeed&, const RSSFeed&) = default;
};

}  // namespace syndra
