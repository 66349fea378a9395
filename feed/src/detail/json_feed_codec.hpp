#pragma once

// How the JSON Feed records read and write themselves. Each record's members
// are listed once per direction, in the format's key order, which is also the
// order of reading (the first failure in that order is the one reported).

#include <syndra/json_feed.hpp>

#include <platform/json/keyed_decoding.hpp>
#include <platform/json/keyed_encoding.hpp>

#include <cstdint>
#include <optional>
#include <string>

namespace platform::json {

template <>
struct Codec<syndra::JSONFeedAuthor> {
    static void decode(Keyed& k, syndra::JSONFeedAuthor& r) {
        k.optional("name", r.name);
        k.optional("url", r.url);
        k.optional("avatar", r.avatar);
        // An author is someone: a name, a page or a picture. Any one will do;
        // an object with none of them describes nobody.
        if (!k.failed() && !r.name && !r.url && !r.avatar) {
            k.reject(DecodingError::Kind::dataCorrupted,
                     "an author needs at least one of \"name\", \"url\" or \"avatar\"");
        }
    }
    static void encode(KeyedWriter& w, const syndra::JSONFeedAuthor& r) {
        w.write("name", r.name);
        w.write("url", r.url);
        w.write("avatar", r.avatar);
    }
};

template <>
struct Codec<syndra::JSONFeedHub> {
    static void decode(Keyed& k, syndra::JSONFeedHub& r) {
        syndra::Text type;
        k.required("type", type);
        if (!k.failed()) r.type = std::move(type);
        k.optional("url", r.url);
    }
    static void encode(KeyedWriter& w, const syndra::JSONFeedHub& r) {
        w.write("type", r.type);
        w.write("url", r.url);
    }
};

/// Any JSON number, as a double.
inline std::optional<syndra::Real> readReal(const nlohmann::json& value, std::string& whyNot) {
    if (value.is_number()) return syndra::Real(value.get<double>());
    whyNot = std::string("expected a number, found ") + describeType(value);
    return std::nullopt;
}

template <>
struct Codec<syndra::JSONFeedAttachment> {
    static void decode(Keyed& k, syndra::JSONFeedAttachment& r) {
        k.optional("title", r.title);
        k.optional("url", r.url);
        k.optional("mime_type", r.mimeType);
        k.optional("size_in_bytes", r.sizeInBytes);
        k.optionalWith<syndra::Real>("duration_in_seconds", r.durationInSeconds, readReal);
    }
    static void encode(KeyedWriter& w, const syndra::JSONFeedAttachment& r) {
        w.write("title", r.title);
        w.write("url", r.url);
        w.write("mime_type", r.mimeType);
        w.write("size_in_bytes", r.sizeInBytes);
        w.write("duration_in_seconds", std::optional<double>(r.durationInSeconds));
    }
};

/// An item id is text; one written as a number without a fraction or exponent
/// reads as that number's text. (decodeJSONFeedKeyed's tree holds such an id
/// as its literal text already, whatever its length; a plain tree holds it as
/// an integer.) Other numbers and other types fail.
inline std::optional<syndra::Text> readItemId(const nlohmann::json& value, std::string& whyNot) {
    if (value.is_string()) return syndra::Text(value.get_ref<const std::string&>());
    if (value.is_number_unsigned()) return syndra::Text(std::to_string(value.get<std::uint64_t>()));
    if (value.is_number_integer()) return syndra::Text(std::to_string(value.get<std::int64_t>()));
    whyNot = value.is_number_float()
                 ? std::string(
                       "expected a string or an integer, found a number with a fraction or an "
                       "exponent")
                 : std::string("expected a string or an integer, found ") + describeType(value);
    return std::nullopt;
}

template <>
struct Codec<syndra::JSONFeedItem> {
    static void decode(Keyed& k, syndra::JSONFeedItem& r) {
        k.optionalWith<syndra::Text>("id", r.id, readItemId);
        k.optional("title", r.title);
        k.optional("url", r.url);
        k.optional("external_url", r.externalUrl);
        k.optional("content_text", r.contentText);
        k.optional("content_html", r.contentHtml);
        k.optional("summary", r.summary);
        k.optional("image", r.image);
        k.optional("banner_image", r.bannerImage);
        k.optional("date_published", r.datePublished);
        k.optional("date_modified", r.dateModified);
        k.optional("tags", r.tags);
        k.optional("author", r.author);
        k.optional("attachments", r.attachments);
    }
    static void encode(KeyedWriter& w, const syndra::JSONFeedItem& r) {
        w.write("id", r.id);
        w.write("title", r.title);
        w.write("url", r.url);
        w.write("external_url", r.externalUrl);
        w.write("content_text", r.contentText);
        w.write("content_html", r.contentHtml);
        w.write("summary", r.summary);
        w.write("image", r.image);
        w.write("banner_image", r.bannerImage);
        w.write("date_published", r.datePublished);
        w.write("date_modified", r.dateModified);
        w.write("tags", r.tags);
        w.write("author", r.author);
        w.write("attachments", r.attachments);
    }
};

template <>
struct Codec<syndra::JSONFeed> {
    static void decode(Keyed& k, syndra::JSONFeed& r) {
        k.optional("version", r.version);
        k.optional("title", r.title);
        k.optional("user_comment", r.userComment);
        k.optional("home_page_url", r.homePageURL);
        k.optional("description", r.description);
        k.optional("feed_url", r.feedUrl);
        k.optional("next_url", r.nextUrl);
        k.optional("icon", r.icon);
        k.optional("favicon", r.favicon);
        k.optional("expired", r.expired);
        k.optional("author", r.author);
        k.optional("hubs", r.hubs);
        k.optional("items", r.items);
    }
    static void encode(KeyedWriter& w, const syndra::JSONFeed& r) {
        w.write("version", r.version);
        w.write("title", r.title);
        w.write("user_comment", r.userComment);
        w.write("home_page_url", r.homePageURL);
        w.write("description", r.description);
        w.write("feed_url", r.feedUrl);
        w.write("next_url", r.nextUrl);
        w.write("icon", r.icon);
        w.write("favicon", r.favicon);
        w.write("expired", r.expired);
        w.write("author", r.author);
        w.write("hubs", r.hubs);
        w.write("items", r.items);
    }
};

}  // namespace platform::json
