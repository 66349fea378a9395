#include "detail/url_reader.hpp"

#include "detail/curl_library.hpp"
#include "detail/limits.hpp"
#include "detail/xml_reader.hpp"

#include <syndra/version.hpp>

#include <curl/curl.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstring>
#include <memory>
#include <new>

namespace syndra::detail {
namespace {

using Read = Fallible<std::string>;
using Response = Fallible<UrlResponse>;

std::string secondsText(std::chrono::milliseconds ms) {
    if (ms.count() % 1000 == 0) return std::to_string(ms.count() / 1000) + " s";
    return std::to_string(ms.count()) + " ms";
}

std::string lowerScheme(std::string_view url) {
    const std::size_t colon = url.find(':');
    if (colon == std::string_view::npos || colon == 0) return {};
    std::string scheme;
    for (std::size_t i = 0; i < colon; ++i) {
        const auto c = static_cast<unsigned char>(url[i]);
        const bool ok =
            std::isalpha(c) || (i > 0 && (std::isdigit(c) || c == '+' || c == '-' || c == '.'));
        if (!ok) return {};
        scheme += static_cast<char>(std::tolower(c));
    }
    return scheme;
}

int hexValue(char c) noexcept {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// ---------------------------------------------------------------- file: URLs

class UniqueFd {
public:
    explicit UniqueFd(int fd) noexcept : fd_(fd) {}
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    ~UniqueFd() {
        if (fd_ >= 0) ::close(fd_);
    }

private:
    int fd_;
};

}  // namespace

Read readFile(const std::string& path, std::size_t maxBytes) {
    auto failure = [&](const char* what) {
        return Read::failure(std::string(what) + ": " + path, ErrorKind::file);
    };
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        switch (errno) {
            case ENOENT:
            case ENOTDIR:
                return failure("No such file");
            case EACCES:
            case EPERM:
                return failure("Permission denied");
            default:
                return Read::failure("Cannot open " + path + ": " + std::strerror(errno),
                                     ErrorKind::file);
        }
    }
    const UniqueFd guard(fd);
    struct stat info {};
    if (::fstat(fd, &info) != 0)
        return Read::failure("Cannot read " + path + ": " + std::strerror(errno), ErrorKind::file);
    if (S_ISDIR(info.st_mode)) return failure("Is a directory");
    // Devices and pipes could be endless; a feed is a regular file.
    if (!S_ISREG(info.st_mode)) return failure("Not a regular file");
    if (static_cast<std::uint64_t>(info.st_size) > maxBytes)
        return Read::failure(documentTooLargeText(maxBytes), ErrorKind::tooLarge);
    std::string bytes;
    bytes.resize(static_cast<std::size_t>(info.st_size));
    std::size_t got = 0;
    while (got < bytes.size()) {
        const ssize_t n = ::read(fd, bytes.data() + got, bytes.size() - got);
        if (n < 0) {
            if (errno == EINTR) continue;
            return Read::failure("Cannot read " + path + ": " + std::strerror(errno),
                                 ErrorKind::file);
        }
        if (n == 0) break;  // the file shrank while we read it
        got += static_cast<std::size_t>(n);
    }
    bytes.resize(got);
    return bytes;
}

namespace {

Read readFileURL(std::string_view url, std::size_t maxBytes) {
    std::string_view rest = url.substr(5);  // after "file:"
    if (rest.substr(0, 2) == "//") {
        rest.remove_prefix(2);
        const std::size_t slash = rest.find('/');
        const std::string_view host = rest.substr(0, slash);
        if (!host.empty() && host != "localhost") {
            return Read::failure("Cannot read a file on another host: " + std::string(url),
                                 ErrorKind::file);
        }
        rest = slash == std::string_view::npos ? std::string_view() : rest.substr(slash);
    }
    rest = rest.substr(0, rest.find_first_of("?#"));
    std::string path;
    for (std::size_t i = 0; i < rest.size(); ++i) {
        if (rest[i] == '%' && i + 2 < rest.size() && hexValue(rest[i + 1]) >= 0 &&
            hexValue(rest[i + 2]) >= 0) {
            path += static_cast<char>(hexValue(rest[i + 1]) * 16 + hexValue(rest[i + 2]));
            i += 2;
        } else {
            path += rest[i];
        }
    }
    if (path.empty() || path.front() != '/')
        return Read::failure("Not a file URL with a path: " + std::string(url), ErrorKind::file);
    if (path.find('\0') != std::string::npos) {
        return Read::failure("No such file: " + path, ErrorKind::file);
    }
    return readFile(path, maxBytes);
}

// ---------------------------------------------------------------- http(s) URLs

struct CurlCleanup {
    const CurlLibrary* lib;
    void operator()(CURL* c) const noexcept { lib->easyCleanup(c); }
};
struct CurlUrlCleanup {
    const CurlLibrary* lib;
    void operator()(CURLU* u) const noexcept { lib->urlCleanup(u); }
};

struct Transfer {
    std::string body;
    std::size_t maxBytes = 0;
    bool tooLarge = false;
    std::string statusReason;  // reason phrase of the last status line
    std::string etag;          // validators of the last response
    std::string lastModified;
    const std::atomic<bool>* abort = nullptr;
    bool aborted = false;
};

std::size_t onBody(char* data, std::size_t size, std::size_t count, void* user) {
    auto& t = *static_cast<Transfer*>(user);
    const std::size_t n = size * count;
    if (t.body.size() + n > t.maxBytes) {
        t.tooLarge = true;
        return 0;  // makes curl stop with a write error
    }
    t.body.append(data, n);
    return n;
}

std::size_t onHeader(char* data, std::size_t size, std::size_t count, void* user) {
    auto& t = *static_cast<Transfer*>(user);
    const std::size_t n = size * count;
    std::string_view line(data, n);
    if (line.substr(0, 5) == "HTTP/") {
        // "HTTP/1.1 404 Not Found\r\n": keep the phrase after the code.
        const std::size_t codeStart = line.find(' ');
        const std::size_t phraseStart =
            codeStart == std::string_view::npos ? codeStart : line.find(' ', codeStart + 1);
        std::string_view phrase = phraseStart == std::string_view::npos
                                      ? std::string_view()
                                      : line.substr(phraseStart + 1);
        while (!phrase.empty() &&
               (phrase.back() == '\r' || phrase.back() == '\n' || phrase.back() == ' ')) {
            phrase.remove_suffix(1);
        }
        t.statusReason.assign(phrase.substr(0, 200));
        // A redirect's validators are not the resource's.
        t.etag.clear();
        t.lastModified.clear();
        return n;
    }
    const std::size_t colon = line.find(':');
    if (colon == std::string_view::npos) return n;
    std::string_view value = line.substr(colon + 1);
    while (!value.empty() && (value.front() == ' ' || value.front() == '\t'))
        value.remove_prefix(1);
    while (!value.empty() &&
           (value.back() == '\r' || value.back() == '\n' || value.back() == ' ')) {
        value.remove_suffix(1);
    }
    const std::string_view name = line.substr(0, colon);
    auto is = [name](std::string_view wanted) {
        if (name.size() != wanted.size()) return false;
        for (std::size_t i = 0; i < name.size(); ++i) {
            if (std::tolower(static_cast<unsigned char>(name[i])) != wanted[i]) return false;
        }
        return true;
    };
    // Bounded: a validator is sent back as it is.
    if (value.size() <= 1024) {
        if (is("etag")) t.etag.assign(value);
        if (is("last-modified")) t.lastModified.assign(value);
    }
    return n;
}

int onProgress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    auto& t = *static_cast<Transfer*>(user);
    if (t.abort != nullptr && t.abort->load(std::memory_order_relaxed)) {
        t.aborted = true;
        return 1;
    }
    return 0;
}

const char* standardReason(long code) {
    switch (code) {
        case 400:
            return "Bad Request";
        case 401:
            return "Unauthorized";
        case 403:
            return "Forbidden";
        case 404:
            return "Not Found";
        case 405:
            return "Method Not Allowed";
        case 406:
            return "Not Acceptable";
        case 408:
            return "Request Timeout";
        case 410:
            return "Gone";
        case 429:
            return "Too Many Requests";
        case 500:
            return "Internal Server Error";
        case 501:
            return "Not Implemented";
        case 502:
            return "Bad Gateway";
        case 503:
            return "Service Unavailable";
        case 504:
            return "Gateway Timeout";
        default:
            return "";
    }
}

struct Endpoint {
    std::string host;
    std::string port;
};

using ParsedUrl = std::unique_ptr<CURLU, CurlUrlCleanup>;

// `url` as libcurl reads it, or null when libcurl refuses it.
ParsedUrl parsedUrl(const CurlLibrary& lib, const std::string& url) {
    ParsedUrl u(lib.url(), CurlUrlCleanup{&lib});
    if (u && lib.urlSet(u.get(), CURLUPART_URL, url.c_str(), 0) != CURLUE_OK) u.reset();
    return u;
}

Endpoint endpointOf(const CurlLibrary& lib, const std::string& url) {
    Endpoint e;
    const ParsedUrl u = parsedUrl(lib, url);
    if (!u) return e;
    char* part = nullptr;
    if (lib.urlGet(u.get(), CURLUPART_HOST, &part, 0) == CURLUE_OK) {
        e.host = part;
        lib.free(part);
    }
    if (lib.urlGet(u.get(), CURLUPART_PORT, &part, CURLU_DEFAULT_PORT) == CURLUE_OK) {
        e.port = part;
        lib.free(part);
    }
    return e;
}

struct SlistFree {
    const CurlLibrary* lib;
    void operator()(curl_slist* list) const noexcept { lib->slistFreeAll(list); }
};

// A header value that would end the header early is not sent at all.
bool safeHeaderValue(std::string_view value) noexcept {
    return !value.empty() && value.find_first_of(std::string_view("\r\n\0", 3)) == value.npos;
}

Response readHttp(const std::string& url, const UrlReadOptions& options) {
    const auto& loaded = curlLibrary();
    if (!loaded) return loaded.failureAs<UrlResponse>();
    const CurlLibrary& lib = *loaded;
    std::unique_ptr<CURL, CurlCleanup> curl(lib.easyInit(), CurlCleanup{&lib});
    if (!curl) return Response::failure("Unable to start an HTTP transfer", ErrorKind::network);
    Transfer t;
    t.maxBytes = options.maxBytes;
    t.abort = options.abort;
    char errorBuffer[CURL_ERROR_SIZE] = {};
    const std::string agent = options.userAgent.empty() ? userAgent() : options.userAgent;
    std::unique_ptr<curl_slist, SlistFree> headers(nullptr, SlistFree{&lib});
    auto addHeader = [&headers, &lib](const std::string& line) {
        curl_slist* grown = lib.slistAppend(headers.get(), line.c_str());
        if (grown == nullptr) throw std::bad_alloc();
        (void)headers.release();
        headers.reset(grown);
    };
    if (safeHeaderValue(options.etag)) addHeader("If-None-Match: " + options.etag);
    if (safeHeaderValue(options.lastModified)) {
        addHeader("If-Modified-Since: " + options.lastModified);
    }
    CURL* c = curl.get();
    if (headers) lib.easySetopt(c, CURLOPT_HTTPHEADER, headers.get());
    lib.easySetopt(c, CURLOPT_URL, url.c_str());
    lib.easySetopt(c, CURLOPT_PROTOCOLS_STR, "http,https");
    lib.easySetopt(c, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    lib.easySetopt(c, CURLOPT_FOLLOWLOCATION, 1L);
    lib.easySetopt(c, CURLOPT_MAXREDIRS, options.maxRedirects);
    lib.easySetopt(c, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(options.connectTimeout.count()));
    lib.easySetopt(c, CURLOPT_TIMEOUT_MS, static_cast<long>(options.totalTimeout.count()));
    lib.easySetopt(c, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(options.maxBytes));
    lib.easySetopt(c, CURLOPT_ACCEPT_ENCODING, "");
    lib.easySetopt(c, CURLOPT_SSL_VERIFYPEER, 1L);
    lib.easySetopt(c, CURLOPT_SSL_VERIFYHOST, 2L);
    if (safeHeaderValue(agent)) lib.easySetopt(c, CURLOPT_USERAGENT, agent.c_str());
    lib.easySetopt(c, CURLOPT_NOSIGNAL, 1L);
    lib.easySetopt(c, CURLOPT_ERRORBUFFER, errorBuffer);
    lib.easySetopt(c, CURLOPT_WRITEFUNCTION, &onBody);
    lib.easySetopt(c, CURLOPT_WRITEDATA, &t);
    lib.easySetopt(c, CURLOPT_HEADERFUNCTION, &onHeader);
    lib.easySetopt(c, CURLOPT_HEADERDATA, &t);
    lib.easySetopt(c, CURLOPT_NOPROGRESS, 0L);
    lib.easySetopt(c, CURLOPT_XFERINFOFUNCTION, &onProgress);
    lib.easySetopt(c, CURLOPT_XFERINFODATA, &t);

    const CURLcode code = lib.easyPerform(c);

    char* effective = nullptr;
    lib.easyGetinfo(c, CURLINFO_EFFECTIVE_URL, &effective);
    const Endpoint where = endpointOf(lib, effective != nullptr ? effective : url);
    const std::string host = where.host.empty() ? url : where.host;

    if (t.aborted || code == CURLE_ABORTED_BY_CALLBACK)
        return Response::failure(std::string(kAbortedReason), ErrorKind::aborted);
    if (t.tooLarge || code == CURLE_FILESIZE_EXCEEDED)
        return Response::failure(documentTooLargeText(options.maxBytes), ErrorKind::tooLarge);
    auto failure = [](std::string reason) {
        return Response::failure(std::move(reason), ErrorKind::network);
    };
    switch (code) {
        case CURLE_OK:
            break;
        case CURLE_COULDNT_RESOLVE_HOST:
            return failure("Could not resolve host " + host);
        case CURLE_COULDNT_CONNECT: {
            long osError = 0;
            lib.easyGetinfo(c, CURLINFO_OS_ERRNO, &osError);
            if (osError == ECONNREFUSED || osError == 0) {
                return failure("Connection refused by " + host + ":" + where.port);
            }
            return failure("Could not connect to " + host + ":" + where.port + ": " +
                           std::strerror(static_cast<int>(osError)));
        }
        case CURLE_OPERATION_TIMEDOUT: {
            curl_off_t connected = 0;
            lib.easyGetinfo(c, CURLINFO_CONNECT_TIME_T, &connected);
            if (connected == 0) {
                return failure("Connection timed out after " + secondsText(options.connectTimeout));
            }
            return failure("No complete response from " + host + " within " +
                           secondsText(options.totalTimeout));
        }
        case CURLE_TOO_MANY_REDIRECTS:
            return failure("Too many redirects (more than " + std::to_string(options.maxRedirects) +
                           ") from " + host);
        case CURLE_UNSUPPORTED_PROTOCOL:
            return failure("Unsupported URL: " +
                           (effective != nullptr ? std::string(effective) : url));
        case CURLE_URL_MALFORMAT:
            return failure("Malformed URL: " + url);
        case CURLE_PEER_FAILED_VERIFICATION:
        case CURLE_SSL_CACERT_BADFILE:
        case CURLE_SSL_CONNECT_ERROR:
            return failure("TLS connection to " + host + " failed: " +
                           (errorBuffer[0] != '\0' ? errorBuffer : lib.easyStrerror(code)));
        case CURLE_BAD_CONTENT_ENCODING:
            return failure("Response from " + host + " could not be decompressed");
        default:
            return failure("Download from " + host + " failed: " +
                           (errorBuffer[0] != '\0' ? errorBuffer : lib.easyStrerror(code)));
    }
    long status = 0;
    lib.easyGetinfo(c, CURLINFO_RESPONSE_CODE, &status);
    if (status >= 400) {
        std::string reason = t.statusReason.empty() ? standardReason(status) : t.statusReason;
        std::string text = "HTTP " + std::to_string(status);
        if (!reason.empty()) text += " " + reason;
        return Response::httpFailure(static_cast<int>(status), text + " from " + host);
    }
    UrlResponse response;
    response.status = status;
    response.body = std::move(t.body);
    response.etag = std::move(t.etag);
    response.lastModified = std::move(t.lastModified);
    char* type = nullptr;
    if (lib.easyGetinfo(c, CURLINFO_CONTENT_TYPE, &type) == CURLE_OK && type != nullptr) {
        response.contentType = type;
    }
    response.finalURL = effective != nullptr ? effective : url;
    return response;
}

}  // namespace

std::string userAgent() {
    return "Syndra/" SYNDRA_VERSION_STRING;
}

std::optional<std::string> sanitizeFeedURL(std::string_view url) {
    if (lowerScheme(url) != "feed") return std::string(url);
    const std::string_view rest = url.substr(5);
    // "feed:https://host/path" wraps a whole URL; "feed://host/path" is the
    // http one.
    const std::string wrapped = lowerScheme(rest);
    std::string rewritten =
        wrapped == "http" || wrapped == "https" ? std::string(rest) : "http:" + std::string(rest);
    // Without libcurl the URL goes unchecked: reading it then says what is missing.
    const auto& loaded = curlLibrary();
    if (!loaded) return rewritten;
    if (!parsedUrl(*loaded, rewritten)) return std::nullopt;
    return rewritten;
}

Response fetchURL(std::string_view url, const UrlReadOptions& options) {
    const std::string scheme = lowerScheme(url);
    if (scheme == "http" || scheme == "https") return readHttp(std::string(url), options);
    if (scheme == "file") {
        auto bytes = readFileURL(url, options.maxBytes);
        if (!bytes) return bytes.failureAs<UrlResponse>();
        UrlResponse response;
        response.body = std::move(*bytes);
        response.finalURL = url;
        return response;
    }
    if (scheme.empty())
        return Response::failure("Not a URL: " + std::string(url), ErrorKind::network);
    return Response::failure("Unsupported URL scheme \"" + scheme + "\"", ErrorKind::network);
}

Read readURL(std::string_view url, const UrlReadOptions& options) {
    UrlReadOptions plain = options;
    plain.etag.clear();
    plain.lastModified.clear();
    auto response = fetchURL(url, plain);
    if (!response) return response.failureAs<std::string>();
    return std::move(response->body);
}

}  // namespace syndra::detail
