#pragma once

#include <syndra/feed.hpp>

#include <functional>
#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>

namespace syndra {

/// Runs a task somewhere, e.g. on a thread pool. Used by FeedParser::parseAsync.
using Executor = std::function<void(std::function<void()>)>;

/// The entry point: reads a feed from a URL, from bytes, or from a stream, and
/// parses it into a Feed.
///
///   auto result = syndra::FeedParser::fromData(bytes).parse();
///   if (const auto* rss = result.feed() ? result.feed()->rssFeed() : nullptr) ...
///
/// A FeedParser is movable, not copyable. parse() and parseAsync() may run
/// again; each run re-reads its source. abortParsing() may be called from any
/// thread while a parse runs.
class FeedParser {
public:
    /// A feed at a URL: file:, http:, https:, or feed: (read as http:).
    static FeedParser fromURL(std::string url);
    /// A document in memory (XML or JSON, detected from its first bytes).
    static FeedParser fromData(std::string data);
    /// An XML document read from a stream, which must outlive the parse.
    static FeedParser fromXMLStream(std::istream& stream);

    FeedParser(FeedParser&&) noexcept;
    FeedParser& operator=(FeedParser&&) noexcept;
    ~FeedParser();

    /// Parses on the calling thread; blocks for the download of a URL.
    Result parse();

    /// Runs parse() as one task on `executor` and then calls `callback` with the
    /// result on that same task. The task keeps the parser's state alive.
    void parseAsync(const Executor& executor, std::function<void(Result)> callback);

    /// Stops a running parse; it then fails with an internal error. Safe from
    /// any thread. A later parse() starts afresh.
    void abortParsing();

    struct State;

private:
    explicit FeedParser(std::shared_ptr<State> state);
    std::shared_ptr<State> state_;
};

}  // namespace syndra
