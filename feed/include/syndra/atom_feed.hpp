#pragma once

#include <syndra/date.hpp>
#include <syndra/indirect.hpp>
#include <syndra/media.hpp>
#include <syndra/text.hpp>

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace syndra {

// The model of an Atom document. Feed-level and entry-level twins (links,
// categories, persons) are distinct types that share a shape.

/// The feed "subtitle".
struct AtomFeedSubtitle {
    struct Attributes {
        std::optional<Text> type{};

        template <class V>
        void visitFields(V&& v) const {
            v("type", type);
        }
        friend bool operator==(const Attributes&, const Attributes&) = default;
    };

    std::optional<Attributes> attributes{};
    std::optional<Text> value{};

    AtomFeedSubtitle() = default;

    template <class V>
    void visitFields(V&& v) const {
        v("attributes", attributes);
        v("value", value);
    }
    friend bool operator==(const AtomFeedSubtitle&, const AtomFeedSubtitle&) = default;
};

/// A feed "link".
struct AtomFeedLink {
    struct Attributes {
        std::optional<Text> href{};
        std::optional<Text> rel{};
        std::optional<Text> type{};
        std::optional<Text> hreflang{};
        std::optional<Text> title{};
        std::optional<std::int64_t> length{};

        template <class V>
        void visitFields(V&& v) const {
            v("href", href);
            v("rel", rel);
            v("type", type);
            v("hreflang", hreflang);
            v("title", title);
            v("length", length);
        }
        friend bool operator==(const Attributes&, const Attributes&) = default;
    };

    std::optional<Attributes> attributes{};

    AtomFeedLink() = default;

    template <class V>
    void visitFields(V&& v) const {
        v("attributes", attributes);
    }
    friend bool operator==(const AtomFeedLink&, const AtomFeedLink&) = default;
};

/// A feed "category".
struct AtomFeedCategory {
    struct Attributes {
        std::optional<Text> term{};
        std::optional<Text> scheme{};
        std::optional<Text> label{};

        template <class V>
        void visitFields(V&& v) const {
            v("term", term);
            v("scheme", scheme);
            v("label", label);
        }
        friend bool operator==(const Attributes&, const Attributes&) = default;
    };

    std::optional<Attributes> attributes{};

    AtomFeedCategory() = default;

    template <class V>
    void visitFields(V&& v) const {
        v("attributes", attributes);
    }
    friend bool operator==(const AtomFeedCategory&, const AtomFeedCategory&) = default;
};

/// A feed "author".
struct AtomFeedAuthor {
    std::optional<Text> name{};
    std::optional<Text> email{};
    std::optional<Text> uri{};

    template <class V>
    void visitFields(V&& v) const {
        v("name", name);
        v("email", email);
        v("uri", uri);
    }
    friend bool operator==(const AtomFeedAuthor&, const AtomFeedAuthor&) = default;
};

/// A feed "contributor".
struct AtomFeedContributor {
    std::optional<Text> name{};
    std::optional<Text> email{};
    std::optional<Text> uri{};

    template <class V>
    void visitFields(V&& v) const {
        v("name", name);
        v("email", email);
        v("uri", uri);
    }
    friend bool operator==(const AtomFeedContributor&, const AtomFeedContributor&) = default;
};

/// The feed "generator": the software that wrote the feed.
struct AtomFeedGenerator {
    struct Attributes {
        std::optional<Text> uri{};
        std::optional<Text> version{};

        template <class V>
        void visitFields(V&& v) const {
            v("uri", uri);
            v("version", version);
        }
        friend bool operator==(const Attributes&, const Attributes&) = default;
    };

    std::optional<Attributes> attributes{};
    std::optional<Text> value{};

    AtomFeedGenerator() = default;

    template <class V>
    void visitFields(V&& v) const {
        v("attributes", attributes);
        v("value", value);
    }
    friend bool operator==(const AtomFeedGenerator&, const AtomFeedGenerator&) = default;
};

/// An entry "summary".
struct AtomFeedEntrySummary {
    struct Attributes {
        std::optional<Text> type{};

        template <class V>
        void visitFields(V&& v) const {
            v("type", type);
        }
        friend bool operator==(const Attributes&, const Attributes&) = default;
    };

    std::optional<Attributes> attributes{};
    std::optional<Text> value{};

    AtomFeedEntrySummary() = default;

    template <class V>
    void visitFields(V&& v) const {
        v("attributes", attributes);
        v("value", value);
    }
    friend bool operator==(const AtomFeedEntrySummary&, const AtomFeedEntrySummary&) = default;
};

/// An entry "author".
struct AtomFeedEntryAuthor {
    std::optional<Text> name{};
    std::optional<Text> email{};
    std::optional<Text> uri{};

    template <class V>
    void visitFields(V&& v) const {
        v("name", name);
        v("email", email);
        v("uri", uri);
    }
    friend bool operator==(const AtomFeedEntryAuthor&, const AtomFeedEntryAuthor&) = default;
};

/// An entry "contributor".
struct AtomFeedEntryContributor {
    std::optional<Text> name{};
    std::optional<Text> email{};
    std::optional<Text> uri{};

    template <class V>
    void visitFields(V&& v) const {
        v("name", name);
        v("email", email);
        v("uri", uri);
    }
    friend bool operator==(const AtomFeedEntryContributor&,
                           const AtomFeedEntryContributor&) = default;
};

/// An entry "link".
struct AtomFeedEntryLink {
    struct Attributes {
        std::optional<Text> href{};
        std::optional<Text> rel{};
        std::optional<Text> type{};
        std::optional<Text> hreflang{};
        std::optional<Text> title{};
        std::optional<std::int64_t> length{};

        template <class V>
        void visitFields(V&& v) const {
            v("href", href);
            v("rel", rel);
            v("type", type);
            v("hreflang", hreflang);
            v("title", title);
            v("length", length);
        }
        friend bool operator==(const Attributes&, const Attributes&) = default;
    };

    std::optional<Attributes> attributes{};

    AtomFeedEntryLink() = default;

    template <class V>
    void visitFields(V&& v) const {
        v("attributes", attributes);
    }
    friend bool operator==(const AtomFeedEntryLink&, const AtomFeedEntryLink&) = default;
};

/// An entry "category".
struct AtomFeedEntryCategory {
    struct Attributes {
        std::optional<Text> term{};
        std::optional<Text> scheme{};
        std::optional<Text> label{};

        template <class V>
        void visitFields(V&& v) const {
            v("term", term);
            v("scheme", scheme);
            v("label", label);
        }
        friend bool operator==(const Attributes&, const Attributes&) = default;
    };

    std::optional<Attributes> attributes{};

    AtomFeedEntryCategory() = default;

    template <class V>
    void visitFields(V&& v) const {
        v("attributes", attributes);
    }
    friend bool operator==(const AtomFeedEntryCategory&, const AtomFeedEntryCategory&) = default;
};

/// An entry "content": inline text, or a reference by "src".
struct AtomFeedEntryContent {
    struct Attributes {
        std::optional<Text> type{};
        std::optional<Text> src{};

        template <class V>
        void visitFields(V&& v) const {
            v("type", type);
            v("src", src);
        }
        friend bool operator==(const Attributes&, const Attributes&) = default;
    };

    std::optional<Attributes> attributes{};
    std::optional<Text> value{};

    AtomFeedEntryContent() = default;

    template <class V>
    void visitFields(V&& v) const {
        v("attributes", attributes);
        v("value", value);
    }
    friend bool operator==(const AtomFeedEntryContent&, const AtomFeedEntryContent&) = default;
};

/// An entry "source": the feed the entry was copied from.
struct AtomFeedEntrySource {
    std::optional<Text> id{};
    std::optional<Text> title{};
    std::optional<Date> updated{};

    template <class V>
    void visitFields(V&& v) const {
        v("id", id);
        v("title", title);
        v("updated", updated);
    }
    friend bool operator==(const AtomFeedEntrySource&, const AtomFeedEntrySource&) = default;
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

    template <class V>
    void visitFields(V&& v) const {
        v("title", title);
        v("summary", summary);
        v("authors", authors);
        v("contributors", contributors);
        v("links", links);
        v("updated", updated);
        v("categories", categories);
        v("id", id);
        v("content", content);
        v("published", published);
        v("source", source);
        v("rights", rights);
        v("media", media);
    }
    friend bool operator==(const AtomFeedEntry&, const AtomFeedEntry&) = default;
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

    template <class V>
    void visitFields(V&& v) const {
        v("title", title);
        v("subtitle", subtitle);
        v("links", links);
        v("updated", updated);
        v("categories", categories);
        v("authors", authors);
        v("contributors", contributors);
        v("id", id);
        v("generator", generator);
        v("icon", icon);
        v("logo", logo);
        v("rights", rights);
        v("entries", entries);
    }
    friend bool operator==(const AtomFeed&, const AtomFeed&) = default;
};

}  // namespace syndra
