#pragma once

#include <syndra/atom_feed.hpp>
#include <syndra/export.hpp>
#include <syndra/json_feed.hpp>
#include <syndra/parser_error.hpp>
#include <syndra/rss_feed.hpp>
#include <syndra/warning.hpp>

#include <utility>
#include <variant>
#include <vector>

namespace syndra {

/// A parsed document: an Atom feed, an RSS feed (RSS 2.0 and RDF), or a JSON Feed.
class SYNDRA_EXPORT Feed {
public:
    enum class Kind { atom, rss, json };

    // Made and copied in the library: a program that only holds a feed does
    // not compile the whole model's copies, moves and comparisons again.
    Feed(AtomFeed f);
    Feed(RSSFeed f);
    Feed(JSONFeed f);
    Feed(const Feed&);
    Feed(Feed&&) noexcept;
    Feed& operator=(const Feed&);
    Feed& operator=(Feed&&) noexcept;
    ~Feed();

    Kind kind() const noexcept { return static_cast<Kind>(value_.index()); }

    const AtomFeed* atomFeed() const noexcept { return std::get_if<0>(&value_); }
    const RSSFeed* rssFeed() const noexcept { return std::get_if<1>(&value_); }
    const JSONFeed* jsonFeed() const noexcept { return std::get_if<2>(&value_); }
    AtomFeed* atomFeed() noexcept { return std::get_if<0>(&value_); }
    RSSFeed* rssFeed() noexcept { return std::get_if<1>(&value_); }
    JSONFeed* jsonFeed() noexcept { return std::get_if<2>(&value_); }

    friend SYNDRA_EXPORT bool operator==(const Feed&, const Feed&);

private:
    std::variant<AtomFeed, RSSFeed, JSONFeed> value_;
};

/// The outcome of a parse: a Feed or a ParserError, and on success the repairs
/// a recovering parse made to read the document.
class Result {
public:
    Result(Feed feed) : value_(std::move(feed)) {}
    Result(Feed feed, std::vector<Warning> warnings)
        : value_(std::move(feed)), warnings_(std::move(warnings)) {}
    Result(ParserError error) : value_(std::move(error)) {}

    bool isSuccess() const noexcept { return value_.index() == 0; }
    explicit operator bool() const noexcept { return isSuccess(); }

    /// The feed on success, else nullptr.
    const Feed* feed() const noexcept { return std::get_if<0>(&value_); }
    Feed* feed() noexcept { return std::get_if<0>(&value_); }
    /// The error on failure, else nullptr.
    const ParserError* error() const noexcept { return std::get_if<1>(&value_); }
    /// What Options::recover repaired, in document order; empty for a document
    /// read as it stands and for every failure.
    const std::vector<Warning>& warnings() const noexcept { return warnings_; }

private:
    std::variant<Feed, ParserError> value_;
    std::vector<Warning> warnings_;
};

}  // namespace syndra
