#pragma once

#include <syndra/export.hpp>
#include <syndra/feed.hpp>
#include <syndra/options.hpp>
#include <syndra/version.hpp>

#include <filesystem>
#include <functional>
#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>

namespace syndra {

/// Runs a task somewhere, e.g. on a thread pool. Used by FeedParser::parseAsync.
using Executor = std::function<void(std::function<void()>)>;

/// The entry point: reads a feed from a file, a stream, bytes or a URL, and
/// parses it into a Feed.
///
///   auto result = syndra::FeedParser::fromFile("feed.xml").parse();
///   if (const auto* rss = result.feed() ? result.feed()->rssFeed() : nullptr) ...
///   else if (result.error()->kind() == syndra::ErrorKind::network) ...
///
/// A FeedParser is movable, not copyable. parse() and parseAsync() may run
/// again; each run re-reads its source. abortParsing() may be called from any
/// thread while a parse runs. Every factory takes the Options that bound the
/// parse (see options.hpp).
///
/// Documents may be in UTF-8, UTF-16 or UTF-32 (with or without a byte-order
/// mark where that is unambiguous) or in any charset an XML declaration names
/// that ICU knows. XML or JSON is told from the first bytes, whatever the
/// source.
class SYNDRA_EXPORT FeedParser {
public:
    /// A feed at a URL: file:, http:, https:, or feed: (read as http:).
    static FeedParser fromURL(std::string url, const Options& options = {});
    /// A local file.
    static FeedParser fromFile(std::filesystem::path path, const Options& options = {});
    /// A document in memory. The parser keeps its own copy; move a string in
    /// to avoid copying it.
    static FeedParser fromData(std::string data, const Options& options = {});
    /// A document in memory that the parser reads in place, without a copy:
    /// the bytes must stay alive and unchanged until every parse() and every
    /// task queued by parseAsync() on this parser (or on one moved from it)
    /// has finished. The Result owns all its data and may outlive the bytes.
    static FeedParser fromDataView(std::string_view data, const Options& options = {});
    /// A document read from a stream, which must outlive the parse. The
    /// stream is read to its end (at most Options::maxDocumentBytes) before
    /// parsing starts.
    static FeedParser fromStream(std::istream& stream, const Options& options = {});
    /// As fromStream, but always read as XML (a JSON document fails).
    static FeedParser fromXMLStream(std::istream& stream, const Options& options = {});

    FeedParser(FeedParser&&) noexcept;
    FeedParser& operator=(FeedParser&&) noexcept;
    ~FeedParser();

    /// Parses on the calling thread; blocks for the download of a URL. Starts
    /// no thread unless Options::useSecondThread asks for one.
    Result parse();

    /// Runs parse() as one task on `executor` and then calls `callback` with the
    /// result on that same task. The task keeps the parser's state alive. An
    /// empty executor runs the task on the calling thread.
    void parseAsync(const Executor& executor, std::function<void(Result)> callback);

    /// Stops a running parse (or one queued by parseAsync); it then fails with
    /// an internal error of kind aborted whose reason is "Parsing aborted".
    /// Safe from any thread. Without a parse in progress it does nothing: a
    /// later parse() starts afresh.
    void abortParsing();

    struct State;

private:
    explicit FeedParser(std::shared_ptr<State> state);
    std::shared_ptr<State> state_;
};

}  // namespace syndra
