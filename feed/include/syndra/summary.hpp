#pragma once

#include <syndra/date.hpp>
#include <syndra/export.hpp>
#include <syndra/feed.hpp>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace syndra {

/// The parts of a feed that every format has, whatever the format. Texts are
/// empty where the feed gave nothing.
struct Summary {
    struct Enclosure {
        std::string url;
        std::string type;
        /// Bytes.
        std::optional<std::int64_t> length;

        friend bool operator==(const Enclosure&, const Enclosure&) = default;
    };

    struct Item {
        std::string title;
        std::string link;
        std::string id;
        std::optional<Date> published;
        std::optional<Date> updated;
        std::string summary;
        std::string content;
        std::vector<std::string> authors;
        std::vector<std::string> categories;
        std::vector<Enclosure> enclosures;
        /// Seconds.
        std::optional<double> duration;
        std::string image;

        friend bool operator==(const Item&, const Item&) = default;
    };

    std::string title;
    std::string link;
    std::string description;
    std::string language;
    std::string imageURL;
    std::optional<Date> updated;
    std::vector<Item> items;

    friend bool operator==(const Summary&, const Summary&) = default;
};

/// The summary of `feed`. Where a format has several candidates, the first
/// one present wins (RSS and RDF; Atom; JSON Feed):
///
/// - title: title, dc:title; title; title
/// - link: link; the alternate link; home_page_url
/// - description: description, itunes:summary, dc:description; subtitle;
///   description
/// - language: language, dc:language; none; none
/// - imageURL: itunes:image, image/url; logo, icon; icon, favicon
/// - updated: lastBuildDate, pubDate, dc:date; updated; none
///
/// and for each item or entry:
///
/// - title: title, itunes:title, dc:title; title; title
/// - link: link, the guid when a permalink; the alternate link; url,
///   external_url
/// - id: guid, link; id; id
/// - published: pubDate, dc:date; published; date_published
/// - updated: none; updated; date_modified
/// - summary: description, itunes:summary, itunes:subtitle; summary; summary
/// - content: content:encoded; content; content_html, content_text
/// - authors: author, dc:creator and itunes:author (each name once); the
///   authors' names; the item's author, else the feed's
/// - categories: category, dc:subject; the categories' terms; tags
/// - enclosures: enclosure, then media:content; the links with
///   rel="enclosure", then media:content; attachments
/// - duration: itunes:duration, media:content; media:content; the first
///   attachment's
/// - image: itunes:image, media:thumbnail; media:thumbnail; image,
///   banner_image
///
/// The alternate link is the first link whose rel is "alternate" or missing.
/// media:content counts on its own and inside media:group, unless its URL is
/// already an enclosure.
SYNDRA_EXPORT Summary summarize(const Feed& feed);

}  // namespace syndra
