#pragma once

#include <syndra/export.hpp>
#include <syndra/options.hpp>
#include <syndra/parser_error.hpp>

#include <atomic>
#include <chrono>
#include <cstddef>
#include <optional>
#include <string>

namespace syndra {

/// How to fetch: the validators of the copy the caller already has, and the
/// network limits of Options.
struct FetchOptions {
    FetchOptions() = default;
    /// The network limits and user agent of `options`.
    explicit FetchOptions(const Options& options)
        : maxDocumentBytes(options.maxDocumentBytes),
          connectTimeout(options.connectTimeout),
          totalTimeout(options.totalTimeout),
          maxRedirects(options.maxRedirects),
          userAgent(options.userAgent) {}

    /// FetchResult::etag of the copy in hand, sent as If-None-Match; empty:
    /// none.
    std::string etag;
    /// FetchResult::lastModified of the copy in hand, sent as
    /// If-Modified-Since; empty: none.
    std::string lastModified;

    std::size_t maxDocumentBytes = Options{}.maxDocumentBytes;
    std::chrono::milliseconds connectTimeout = Options{}.connectTimeout;
    std::chrono::milliseconds totalTimeout = Options{}.totalTimeout;
    long maxRedirects = Options{}.maxRedirects;
    std::string userAgent = Options{}.userAgent;
    /// When set, storing true there from any thread stops the fetch within
    /// about a second; it then fails with an error of kind aborted.
    const std::atomic<bool>* abort = nullptr;
};

/// What a fetch brought: a body, or word that the copy in hand is current, or
/// the error.
struct FetchResult {
    enum class Status {
        ok,           ///< `body` holds the document
        notModified,  ///< the server answered 304: the caller's copy is current
    };

    Status status = Status::ok;
    std::string body;
    /// The validators to send next time (empty when the server gave none;
    /// on notModified, those the server repeated, if any).
    std::string etag;
    std::string lastModified;
    /// Where the document was found, after redirects.
    std::string finalURL;
    /// The Content-Type header as sent, e.g. "application/rss+xml; charset=utf-8".
    std::string contentType;
    /// The failure, of kind network, httpStatus, tooLarge, file or aborted;
    /// when set, the other members say nothing.
    std::optional<ParserError> error;

    bool isSuccess() const noexcept { return !error; }
    explicit operator bool() const noexcept { return isSuccess(); }
};

/// Fetches the document at `url` (http:, https:, feed: or file:) on the
/// calling thread, asking the server for it only if it changed since the
/// copy the validators describe. Parse a body with FeedParser::fromData.
///
///   syndra::FetchOptions options;
///   options.etag = saved.etag;
///   options.lastModified = saved.lastModified;
///   syndra::FetchResult fetched = syndra::fetch(url, options);
///   if (fetched && fetched.status == syndra::FetchResult::Status::ok) ...
SYNDRA_EXPORT FetchResult fetch(const std::string& url, const FetchOptions& options = {});

}  // namespace syndra
