#include "detail/url_reader.hpp"
#include "http_test_server.hpp"

#include <syndra/feed_parser.hpp>
#include <syndra/fetch.hpp>

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <sys/stat.h>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <future>
#include <thread>
#include <vector>

namespace syndra::testing {
namespace {

using Reply = HttpTestServer::Reply;

const std::string kFeed = "<rss><channel><title>Served</title></channel></rss>";
const std::string kGzipFeed(
    "\x1F\x8B\x08\x00\x00\x00\x00\x00\x02\x03\xB3\x29\x2A\x2E\xB6\xB3\x49\xCE\x48\xCC\xCB\x4B"
    "\xCD\xB1\xB3\x29\xC9\x2C\xC9\x49\xB5\x8B\xCA\x2C\x28\x48\x4D\xB1\xD1\x87\xF0\x6C\xF4\xE1"
    "\xD2\xFA\x20\xD5\x00\xB3\x21\xD7\xCD\x33\x00\x00\x00",
    57);

Reply route(const std::string& target, const std::string& head) {
    if (target == "/feed") return {HttpTestServer::response(200, "OK", kFeed)};
    if (target == "/validated") {
        const std::string validators =
            "ETag: \"v1\"\r\nLast-Modified: Sun, 06 Dec 2026 10:00:00 GMT\r\n";
        if (head.find("\r\nIf-None-Match: \"v1\"\r\n") != std::string::npos) {
            return {HttpTestServer::response(304, "Not Modified", "", validators)};
        }
        return {HttpTestServer::response(200, "OK", kFeed,
                                         validators + "Content-Type: application/rss+xml\r\n")};
    }
    if (target == "/gzip") {
        return {HttpTestServer::response(200, "OK", kGzipFeed, "Content-Encoding: gzip\r\n")};
    }
    if (target.rfind("/hop/", 0) == 0) {
        const int n = std::stoi(target.substr(5));
        const std::string next = n == 0 ? "/feed" : "/hop/" + std::to_string(n - 1);
        return {HttpTestServer::response(302, "Found", "", "Location: " + next + "\r\n")};
    }
    if (target == "/loop") {
        return {HttpTestServer::response(301, "Moved Permanently", "", "Location: /loop\r\n")};
    }
    if (target == "/to-ftp") {
        return {HttpTestServer::response(302, "Found", "", "Location: ftp://127.0.0.1/x\r\n")};
    }
    if (target == "/gone") return {HttpTestServer::response(410, "Gone", "bye")};
    if (target == "/teapot") return {HttpTestServer::response(503, "Busy Brewing", "later")};
    if (target == "/big") return {HttpTestServer::response(200, "OK", std::string(5000, 'x'))};
    if (target == "/big-chunked") {
        std::string raw =
            "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\nConnection: close\r\n\r\n";
        for (int i = 0; i < 10; ++i) raw += "200\r\n" + std::string(0x200, 'y') + "\r\n";
        return {raw + "0\r\n\r\n"};
    }
    if (target == "/hang") return {"", true};
    if (target == "/mebibyte-and-one") {
        return {HttpTestServer::response(200, "OK", std::string((1 << 20) + 1, 'z'))};
    }
    return {HttpTestServer::response(404, "Not Found", "nothing here")};
}

class UrlReading : public ::testing::Test {
protected:
    HttpTestServer server_{&route};
    detail::UrlReadOptions options_;
};

TEST_F(UrlReading, AnswersAndFailuresOverHttp) {
    options_.maxBytes = 4096;
    options_.totalTimeout = std::chrono::milliseconds(3000);
    const std::string host = "127.0.0.1";
    struct Case {
        std::string target;
        std::string expected;  // the body, or "!" + the reason
        ErrorKind kind = ErrorKind::network;
    };
    const Case cases[] = {
        {"/feed", kFeed},
        {"/gzip", "<rss><channel><title>Zipped</title></channel></rss>"},
        {"/hop/9", kFeed},
        {"/hop/10", "!Too many redirects (more than 10) from " + host},
        {"/loop", "!Too many redirects (more than 10) from " + host},
        {"/to-ftp", "!Unsupported URL: ftp://127.0.0.1/x"},
        {"/missing", "!HTTP 404 Not Found from " + host, ErrorKind::httpStatus},
        {"/gone", "!HTTP 410 Gone from " + host, ErrorKind::httpStatus},
        {"/teapot", "!HTTP 503 Busy Brewing from " + host, ErrorKind::httpStatus},
        {"/big", "!Feed larger than 4096 bytes", ErrorKind::tooLarge},
        {"/big-chunked", "!Feed larger than 4096 bytes", ErrorKind::tooLarge},
    };
    for (const auto& [target, expected, kind] : cases) {
        const auto got = detail::readURL(server_.url(target), options_);
        if (expected.front() == '!') {
            EXPECT_FALSE(got.ok()) << target;
            EXPECT_EQ(got.error(), expected.substr(1)) << target;
            EXPECT_EQ(got.kind(), kind) << target;
        } else {
            ASSERT_TRUE(got.ok()) << target << ": " << got.error();
            EXPECT_EQ(*got, expected) << target;
        }
    }
}

TEST_F(UrlReading, SendsUserAgentAndAcceptsCompression) {
    ASSERT_TRUE(detail::readURL(server_.url("/feed"), options_).ok());
    const auto requests = server_.requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_NE(requests[0].find(std::string("User-Agent: Syndra/") + (version() + 7)),
              std::string::npos)
        << requests[0];
    EXPECT_NE(requests[0].find("Accept-Encoding: "), std::string::npos) << requests[0];
    EXPECT_NE(requests[0].find("gzip"), std::string::npos) << requests[0];
}

// A poller sends back what the server said about the copy it has, and gets
// the document again only when it changed.
TEST_F(UrlReading, FetchAsksForTheDocumentOnlyIfItChanged) {
    const FetchResult first = fetch(server_.url("/validated"));
    ASSERT_TRUE(first.isSuccess()) << first.error->reason();
    EXPECT_EQ(first.status, FetchResult::Status::ok);
    EXPECT_EQ(first.body, kFeed);
    EXPECT_EQ(first.etag, "\"v1\"");
    EXPECT_EQ(first.lastModified, "Sun, 06 Dec 2026 10:00:00 GMT");
    EXPECT_EQ(first.contentType, "application/rss+xml");
    EXPECT_EQ(first.finalURL, server_.url("/validated"));

    FetchOptions options;
    options.etag = first.etag;
    options.lastModified = first.lastModified;
    const FetchResult second = fetch(server_.url("/validated"), options);
    ASSERT_TRUE(second.isSuccess());
    EXPECT_EQ(second.status, FetchResult::Status::notModified);
    EXPECT_EQ(second.body, "");
    EXPECT_EQ(second.etag, "\"v1\"");
    const auto requests = server_.requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].find("If-"), std::string::npos);
    EXPECT_NE(requests[1].find("If-Modified-Since: Sun, 06 Dec 2026 10:00:00 GMT\r\n"),
              std::string::npos);

    // A validator that would end the header early is not sent.
    options.etag = "\"v1\"\r\nX-Injected: 1";
    EXPECT_EQ(fetch(server_.url("/validated"), options).status, FetchResult::Status::ok);
    EXPECT_EQ(server_.requests().back().find("X-Injected"), std::string::npos);
    const FetchResult missing = fetch(server_.url("/missing"));
    ASSERT_TRUE(missing.error);
    EXPECT_EQ(missing.error->kind(), ErrorKind::httpStatus);
    EXPECT_EQ(missing.error->httpStatus(), 404);
    const std::atomic<bool> stop{true};
    options.abort = &stop;
    const FetchResult stopped = fetch(server_.url("/hang"), options);
    ASSERT_TRUE(stopped.error);
    EXPECT_EQ(stopped.error->kind(), ErrorKind::aborted);
}

TEST_F(UrlReading, AServerThatNeverAnswersTimesOut) {
    options_.totalTimeout = std::chrono::milliseconds(300);
    const auto start = std::chrono::steady_clock::now();
    const auto got = detail::readURL(server_.url("/hang"), options_);
    EXPECT_EQ(got.error(), "No complete response from 127.0.0.1 within 300 ms");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
}

TEST_F(UrlReading, TheSizeCapIsNamedInMebibytes) {
    options_.maxBytes = 1 << 20;
    EXPECT_EQ(detail::readURL(server_.url("/mebibyte-and-one"), options_).error(),
              "Feed larger than 1 MiB");
}

TEST(UrlReadingRefused, AListenerThatNeverTakesTheConnectionTimesOut) {
    // A listener whose accept queue is full drops new connection requests, so
    // the connection is never made.
    const int listener = ::socket(AF_INET, SOCK_STREAM, 0);
    ASSERT_GE(listener, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&address), length), 0);
    ASSERT_EQ(::listen(listener, 0), 0);
    ASSERT_EQ(::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length), 0);
    std::vector<int> fillers;
    for (int i = 0; i < 4; ++i) {
        const int filler = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
        ::connect(filler, reinterpret_cast<sockaddr*>(&address), length);
        fillers.push_back(filler);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    detail::UrlReadOptions options;
    options.connectTimeout = std::chrono::milliseconds(400);
    const std::string url = "http://127.0.0.1:" + std::to_string(ntohs(address.sin_port)) + "/feed";
    EXPECT_EQ(detail::readURL(url, options).error(), "Connection timed out after 400 ms");
    for (const int filler : fillers) ::close(filler);
    ::close(listener);
}

TEST_F(UrlReading, AbortCancelsARunningDownload) {
    auto parser = FeedParser::fromURL(server_.url("/hang"));
    auto pending = std::async(std::launch::async, [&] { return parser.parse(); });
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    const auto start = std::chrono::steady_clock::now();
    parser.abortParsing();
    ASSERT_EQ(pending.wait_for(std::chrono::seconds(5)), std::future_status::ready);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
    const Result result = pending.get();
    ASSERT_NE(result.error(), nullptr);
    EXPECT_EQ(result.error()->reason(), "Parsing aborted");
}

TEST_F(UrlReading, FeedSchemeIsFetchedOverHttp) {
    for (const char* scheme : {"feed", "FEED", "Feed"}) {
        const std::string url = std::string(scheme) + server_.url("/feed").substr(4);
        const Result result = FeedParser::fromURL(url).parse();
        EXPECT_TRUE(result.isSuccess())
            << url << ": " << (result.error() ? result.error()->reason() : "");
    }
    EXPECT_EQ(server_.requests().size(), 3u);
}

TEST(UrlRewrite, OnlyTheFeedSchemeChanges) {
    const std::pair<const char*, std::optional<std::string>> cases[] = {
        {"feed://example.com/rss", "http://example.com/rss"},
        {"FeEd://example.com/rss?q=feed:", "http://example.com/rss?q=feed:"},
        {"feed:https://example.com/rss", "https://example.com/rss"},
        {"feed:HTTP://example.com/rss", "HTTP://example.com/rss"},
        {"https://example.com/feed", "https://example.com/feed"},
        {"feeds://example.com", "feeds://example.com"},
        {"/local/feed", "/local/feed"},
        {"feed:", std::nullopt},
        {"feed://exa mple.com/rss", std::nullopt},
    };
    for (const auto& [in, out] : cases) EXPECT_EQ(detail::sanitizeFeedURL(in), out) << in;
}

TEST(UrlReadingRefused, UnknownHost) {
    detail::UrlReadOptions options;
    options.connectTimeout = std::chrono::milliseconds(5000);
    EXPECT_EQ(detail::readURL("http://nonexistent.invalid/feed", options).error(),
              "Could not resolve host nonexistent.invalid");
}

TEST(UrlReadingRefused, ConnectionRefused) {
    int port = 0;
    {
        // Take a free port and give it back, so that nothing listens there.
        HttpTestServer probe(&route);
        port = probe.port();
    }
    const auto got = detail::readURL("http://127.0.0.1:" + std::to_string(port) + "/");
    EXPECT_EQ(got.error(), "Connection refused by 127.0.0.1:" + std::to_string(port));
}

class FileUrls : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = ::testing::TempDir() + "syndra url test " + std::to_string(::getpid());
        ::mkdir(dir_.c_str(), 0700);
        file_ = dir_ + "/feed 100%.xml";
        std::ofstream(file_) << kFeed;
    }
    void TearDown() override {
        std::remove(file_.c_str());
        ::rmdir(dir_.c_str());
    }
    static std::string escaped(const std::string& path) {
        std::string out;
        for (char c : path)
            out += c == ' '   ? std::string("%20")
                   : c == '%' ? std::string("%25")
                              : std::string(1, c);
        return out;
    }
    std::string dir_;
    std::string file_;
};

TEST_F(FileUrls, ReadFilesAndNameWhatWentWrong) {
    struct Case {
        std::string url;
        std::string expected;  // the bytes, or "!" + the reason
        ErrorKind kind = ErrorKind::file;
    };
    const Case cases[] = {
        {"file://" + escaped(file_), kFeed},
        {"file://localhost" + escaped(file_), kFeed},
        {"FILE:" + escaped(file_), kFeed},
        {"file://" + escaped(dir_) + "/absent.xml", "!No such file: " + dir_ + "/absent.xml"},
        {"file://" + escaped(dir_), "!Is a directory: " + dir_},
        {"file:///dev/zero", "!Not a regular file: /dev/zero"},
        {"file://elsewhere/etc/hosts",
         "!Cannot read a file on another host: file://elsewhere/etc/hosts"},
        {"gopher://example.com/", "!Unsupported URL scheme \"gopher\"", ErrorKind::network},
        {"no scheme at all", "!Not a URL: no scheme at all", ErrorKind::network},
    };
    for (const auto& [url, expected, kind] : cases) {
        const auto got = detail::readURL(url);
        if (expected.front() == '!') {
            EXPECT_EQ(got.error(), expected.substr(1)) << url;
            EXPECT_EQ(got.kind(), kind) << url;
        } else {
            ASSERT_TRUE(got.ok()) << url << ": " << got.error();
            EXPECT_EQ(*got, expected);
        }
    }
}

}  // namespace
}  // namespace syndra::testing
