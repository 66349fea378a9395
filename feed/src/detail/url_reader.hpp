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
    /// For downloads; local files may be up to 1 GiB.
    std::size_t maxBytes = 64u * 1024 * 1024;
    long maxRedirects = 10;
    /// When set and true, a running transfer stops with kAbortedReason.
    const std::atomic<bool>* abort = nullptr;
};

/// "feed:" in any letter case becomes "http:" ("feed:https://..." the URL it
/// wraps); everything else is unchanged. Empty when the rewritten text is not
/// a URL.
std::optional<std::string> sanitizeFeedURL(std::string_view url);

/// The whole resource at a file:, http: or https: URL, or a readable reason
/// ("HTTP 404 Not Found from example.com", "No such file: /tmp/x", ...).
Fallible<std::string> readURL(std::string_view url, const UrlReadOptions& options = {});

/// The User-Agent sent with every request: "Syndra/<version>".
std::string userAgent();

}  // namespace syndra::detail
