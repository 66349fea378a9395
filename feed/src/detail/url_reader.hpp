#pragma once

#include "detail/fallible.hpp"

#include <atomic>
#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace syndra::detail {

struct UrlReadOptions {
    std::chrono::milliseconds connectTimeout{15'000};
    std::chrono::milliseconds totalTimeout{120'000};
    /// For downloads and local files alike.
    std::size_t maxBytes = 64u * 1024 * 1024;
    long maxRedirects = 10;
    /// Sent with every request; empty: userAgent().
    std::string userAgent;
    /// Validators from an earlier response, sent as If-None-Match and
    /// If-Modified-Since; empty ones are not sent.
    std::string etag;
    std::string lastModified;
    /// When set and true, a running transfer stops with kAbortedReason.
    const std::atomic<bool>* abort = nullptr;
};

/// The transfer settings `Options` and `FetchOptions` share.
template <class Settings>
UrlReadOptions urlReadOptions(const Settings& settings, const std::atomic<bool>* abort) {
    UrlReadOptions read;
    read.connectTimeout = settings.connectTimeout;
    read.totalTimeout = settings.totalTimeout;
    read.maxBytes = settings.maxDocumentBytes;
    read.maxRedirects = settings.maxRedirects;
    read.userAgent = settings.userAgent;
    read.abort = abort;
    return read;
}

/// A resource as it came: its bytes and what the server said about them.
struct UrlResponse {
    /// The HTTP status (200, 304, ...); 0 for a local file.
    long status = 0;
    std::string body;
    std::string etag;
    std::string lastModified;
    std::string contentType;
    /// Where the resource was found, after redirects.
    std::string finalURL;
};

/// "feed:" in any letter case becomes "http:" ("feed:https://..." the URL it
/// wraps); everything else is unchanged. Empty when the rewritten text is not
/// a URL.
std::optional<std::string> sanitizeFeedURL(std::string_view url);

/// The resource at a file:, http: or https: URL, or a readable reason ("HTTP
/// 404 Not Found from example.com", "No such file: /tmp/x", ...) and its kind.
/// A 304 answer to validators is a response with an empty body.
Fallible<UrlResponse> fetchURL(std::string_view url, const UrlReadOptions& options = {});

/// The whole resource at a URL (as fetchURL, without validators).
Fallible<std::string> readURL(std::string_view url, const UrlReadOptions& options = {});

/// The bytes of a local file, at most `maxBytes` of them.
Fallible<std::string> readFile(const std::string& path, std::size_t maxBytes);

/// The User-Agent sent by default: "Syndra/<version>".
std::string userAgent();

}  // namespace syndra::detail
