#pragma once

#include <syndra/date.hpp>
#include <syndra/real.hpp>
#include <syndra/text.hpp>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace syndra {

/// The author of a feed or of an item. Decoding accepts an author with at
/// least one of the three members.
struct JSONFeedAuthor {
    std::optional<Text> name;
    std::optional<Text> url;
    std::optional<Text> avatar;

    friend bool operator==(const JSONFeedAuthor&, const JSONFeedAuthor&) = default;

    template <class V>
    void visitFields(V&& v) const {
        v("name", name);
        v("url", url);
        v("avatar", avatar);
    }
};

/// A real-time notification endpoint. Decoding requires `type`.
struct JSONFeedHub {
    std::optional<Text> type;
    std::optional<Text> url;

    friend bool operator==(const JSONFeedHub&, const JSONFeedHub&) = default;

    template <class V>
    void visitFields(V&& v) const {
        v("type", type);
        v("url", url);
    }
};

/// A file tied to an item, such as a podcast episode's audio.
struct JSONFeedAttachment {
    std::optional<Text> url;
    std::optional<Text> mimeType;
    std::optional<Text> title;
    std::optional<std::int64_t> sizeInBytes;
    std::optional<Real> durationInSeconds;

    friend bool operator==(const JSONFeedAttachment&, const JSONFeedAttachment&) = default;

    template <class V>
    void visitFields(V&& v) const {
        v("url", url);
        v("mimeType", mimeType);
        v("title", title);
        v("sizeInBytes", sizeInBytes);
        v("durationInSeconds", durationInSeconds);
    }
};

struct JSONFeedItem {
    std::optional<Text> id;
    std::optional<Text> url;
    std::optional<Text> externalUrl;
    std::optional<Text> title;
    std::optional<Text> contentText;
    std::optional<Text> contentHtml;
    std::optional<Text> summary;
    std::optional<Text> image;
    std::optional<Text> bannerImage;
    std::optional<Date> datePublished;
    std::optional<Date> dateModified;
    std::optional<JSONFeedAuthor> author;
    std::optional<std::vector<Text>> tags;
    std::optional<std::vector<JSONFeedAttachment>> attachments;

    friend bool operator==(const JSONFeedItem&, const JSONFeedItem&) = default;

    template <class V>
    void visitFields(V&& v) const {
        v("id", id);
        v("url", url);
        v("externalUrl", externalUrl);
        v("title", title);
        v("contentText", contentText);
        v("contentHtml", contentHtml);
        v("summary", summary);
        v("image", image);
        v("bannerImage", bannerImage);
        v("datePublished", datePublished);
        v("dateModified", dateModified);
        v("author", author);
        v("tags", tags);
        v("attachments", attachments);
    }
};

/// A JSON Feed document (version 1 member names). Every field is empty unless
/// the document gave it.
struct JSONFeed {
    std::optional<Text> version;
    std::optional<Text> title;
    std::optional<Text> homePageURL;
    std::optional<Text> feedUrl;
    std::optional<Text> description;
    std::optional<Text> userComment;
    std::optional<Text> nextUrl;
    std::optional<Text> icon;
    std::optional<Text> favicon;
    std::optional<JSONFeedAuthor> author;
    std::optional<bool> expired;
    std::optional<std::vector<JSONFeedHub>> hubs;
    std::optional<std::vector<JSONFeedItem>> items;

    friend bool operator==(const JSONFeed&, const JSONFeed&) = default;

    template <class V>
    void visitFields(V&& v) const {
        v("version", version);
        v("title", title);
        v("homePageURL", homePageURL);
        v("feedUrl", feedUrl);
        v("description", description);
        v("userComment", userComment);
        v("nextUrl", nextUrl);
        v("icon", icon);
        v("favicon", favicon);
        v("author", author);
        v("expired", expired);
        v("hubs", hubs);
        v("items", items);
    }
};

/// The feed as JSON: every member of every record in the format's key order,
/// empty fields as null, dates as RFC 3339 UTC text ("2003-06-10T04:00:00Z",
/// milliseconds only when not zero). `indent` < 0 writes one line.
std::string encodeJSONFeed(const JSONFeed& feed, int indent = -1);

}  // namespace syndra
