#include <syndra/fetch.hpp>

#include "detail/url_reader.hpp"

#include <new>
#include <utility>

namespace syndra {

FetchResult fetch(const std::string& url, const FetchOptions& options) {
    FetchResult result;
    try {
        const std::optional<std::string> sanitized = detail::sanitizeFeedURL(url);
        if (!sanitized) {
            result.error = ParserError::internalError("Failed url sanitizing.", ErrorKind::network);
            return result;
        }
        detail::UrlReadOptions read = detail::urlReadOptions(options, options.abort);
        read.etag = options.etag;
        read.lastModified = options.lastModified;
        auto response = detail::fetchURL(*sanitized, read);
        if (!response) {
            result.error = response.parserError();
            return result;
        }
        result.status =
            response->status == 304 ? FetchResult::Status::notModified : FetchResult::Status::ok;
        result.body = std::move(response->body);
        result.etag = std::move(response->etag);
        result.lastModified = std::move(response->lastModified);
        result.finalURL = std::move(response->finalURL);
        result.contentType = std::move(response->contentType);
    } catch (const std::bad_alloc&) {
        result = FetchResult{};
        result.error = ParserError::internalError("Out of memory", ErrorKind::outOfMemory);
    }
    return result;
}

}  // namespace syndra
