#pragma once

#include <syndra/date.hpp>
#include <syndra/fields.hpp>
#include <syndra/real.hpp>
#include <syndra/text.hpp>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace syndra {

// The tables of these records list the members in the format's key order,
// the order in which a record is read and written.

/// The author of a feed or of an item. Decoding accepts an author with at
/// least one of the three members.
struct JSONFeedAuthor {
    std::optional<Text> name;
    std::optional<Text> url;
    std::optional<Text> avatar;

    static constexpr auto fields =
        std::tuple{field("name", &JSONFeedAuthor::name), field("url", &JSONFeedAuthor::url),
                   field("avatar", &JSONFeedAuthor::avatar)};
};

/// A real-time notification endpoint. Decoding requires `type`.
struct JSONFeedHub {
    std::optional<Text> type;
    std::optional<Text> url;

    static constexpr auto fields =
        std::tuple{field("type", &JSONFeedHub::type).required(), field("url", &JSONFeedHub::url)};
};

/// A file tied to an item, such as a podcast episode's audio.
struct JSONFeedAttachment {
    std::optional<Text> url;
    std::optional<Text> mimeType;
    std::optional<Text> title;
    std::optional<std::int64_t> sizeInBytes;
    std::optional<Real> durationInSeconds;

    static constexpr auto fields = std::tuple{
        field("title", &JSONFeedAttachment::title), field("url", &JSONFeedAttachment::url),
        field("mimeType", &JSONFeedAttachment::mimeType).as("mime_type"),
        field("sizeInBytes", &JSONFeedAttachment::sizeInBytes).as("size_in_bytes"),
        field("durationInSeconds", &JSONFeedAttachment::durationInSeconds)
            .as("duration_in_seconds")};
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

    static constexpr auto fields =
        std::tuple{field("id", &JSONFeedItem::id).read(FieldReading::integerAsText),
                   field("title", &JSONFeedItem::title),
                   field("url", &JSONFeedItem::url),
                   field("externalUrl", &JSONFeedItem::externalUrl).as("external_url"),
                   field("contentText", &JSONFeedItem::contentText).as("content_text"),
                   field("contentHtml", &JSONFeedItem::contentHtml).as("content_html"),
                   field("summary", &JSONFeedItem::summary),
                   field("image", &JSONFeedItem::image),
                   field("bannerImage", &JSONFeedItem::bannerImage).as("banner_image"),
                   field("datePublished", &JSONFeedItem::datePublished).as("date_published"),
                   field("dateModified", &JSONFeedItem::dateModified).as("date_modified"),
                   field("tags", &JSONFeedItem::tags),
                   field("author", &JSONFeedItem::author),
                   field("attachments", &JSONFeedItem::attachments)};
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

    static constexpr auto fields =
        std::tuple{field("version", &JSONFeed::version),
                   field("title", &JSONFeed::title),
                   field("userComment", &JSONFeed::userComment).as("user_comment"),
                   field("homePageURL", &JSONFeed::homePageURL).as("home_page_url"),
                   field("description", &JSONFeed::description),
                   field("feedUrl", &JSONFeed::feedUrl).as("feed_url"),
                   field("nextUrl", &JSONFeed::nextUrl).as("next_url"),
                   field("icon", &JSONFeed::icon),
                   field("favicon", &JSONFeed::favicon),
                   field("expired", &JSONFeed::expired),
                   field("author", &JSONFeed::author),
                   field("hubs", &JSONFeed::hubs),
                   field("items", &JSONFeed::items)};
};

/// The feed as JSON: every member of every record in the format's key order,
/// empty fields as null, dates as RFC 3339 UTC text ("2003-06-10T04:00:00Z",
/// milliseconds only when not zero). `indent` < 0 writes one line.
std::string encodeJSONFeed(const JSONFeed& feed, int indent = -1);

}  // namespace syndra
