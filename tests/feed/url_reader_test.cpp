#include "detail/url_reader.hpp"
#include "detail/curl_library.hpp"
#include "support/case_file.hpp"
#include "support/loopback_http_server.hpp"

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
#include <map>
#include <thread>
#include <vector>

namespace syndra::testing {
namespace {

using testsupport::HttpResponse;
using testsupport::LoopbackHttpServer;

const std::string kFeed = "<rss><channel><title>Served</title></channel></rss>";
const std::string kGzipFeed(
    "\x1F\x8B\x08\x00\x00\x00\x00\x00\x02\x03\xB3\x29\x2A\x2E\xB6\xB3\x49\xCE\x48\xCC\xCB\x4B"
    "\xCD\xB1\xB3\x29\xC9\x2C\xC9\x49\xB5\x8B\xCA\x2C\x28\x48\x4D\xB1\xD1\x87\xF0\x6C\xF4\xE1"
    "\xD2\xFA\x20\xD5\x00\xB3\x21\xD7\xCD\x33\x00\x00\x00",
    57);

HttpResponse answer(int status, std::string reason, std::string body, std::string headers = {}) {
    return {.status = status,
            .reason = std::move(reason),
            .contentType = {},
            .body = std::move(body),
            .headers = std::move(headers)};
}

HttpResponse route(const std::string& target, const std::string& head) {
    const std::string validators =
        "ETag: \"v1\"\r\nLast-Modified: Sun, 06 Dec 2026 10:00:00 GMT\r\n";
    if (target == "/validated" && head.find("\r\nIf-None-Match: \"v1\"\r\n") != std::string::npos)
        return answer(304, "Not Modified", "", validators);
    if (target.rfind("/hop/", 0) == 0) {
        const int n = std::stoi(target.substr(5));
        const std::string next = n == 0 ? "/feed" : "/hop/" + std::to_string(n - 1);
        return answer(302, "Found", "", "Location: " + next + "\r\n");
    }
    std::string chunked =
        "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\nConnection: close\r\n\r\n";
    for (int i = 0; i < 10; ++i) chunked += "200\r\n" + std::string(0x200, 'y') + "\r\n";
    const std::map<std::string, HttpResponse> answers = {
        {"/feed", answer(200, "OK", kFeed)},
        {"/validated",
         answer(200, "OK", kFeed, validators + "Content-Type: application/rss+xml\r\n")},
        {"/gzip", answer(200, "OK", kGzipFeed, "Content-Encoding: gzip\r\n")},
        {"/loop", answer(301, "Moved Permanently", "", "Location: /loop\r\n")},
        {"/to-ftp", answer(302, "Found", "", "Location: ftp://127.0.0.1/x\r\n")},
        {"/bad-request", answer(400, "Bad Request", "no")},
        {"/gone", answer(410, "Gone", "bye")},
        {"/teapot", answer(503, "Busy Brewing", "later")},
        {"/big", answer(200, "OK", std::string(5000, 'x'))},
        {"/big-chunked", {.raw = chunked + "0\r\n\r\n"}},
        {"/hang", {.silent = true}},
        {"/mebibyte-and-one", answer(200, "OK", std::string((1 << 20) + 1, 'z'))},
    };
    const auto found = answers.find(target);
    return found != answers.end() ? found->second : answer(404, "Not Found", "nothing here");
}

class UrlReading : public ::testing::Test {
protected:
    void SetUp() override {
        ::mkdir(dir_.c_str(), 0700);
        std::ofstream(dir_ + "/feed 100%.xml") << kFeed;
        std::ofstream(dir_ + "/4097.xml") << std::string(4097, 'x');
    }
    void TearDown() override {
        std::remove((dir_ + "/feed 100%.xml").c_str());
        std::remove((dir_ + "/4097.xml").c_str());
        ::rmdir(dir_.c_str());
    }
    /// `text` with the data file's placeholders filled in.
    std::string filled(std::string text) const {
        std::string dirUrl;
        for (char c : dir_) dirUrl += c == ' ' ? std::string("%20") : std::string(1, c);
        for (const auto& [name, value] : {std::pair{"{server}", server_.url()},
                                          {"{closed}", closed_},
                                          {"{dir-url}", dirUrl},
                                          {"{dir}", dir_}}) {
            for (auto at = text.find(name); at != std::string::npos; at = text.find(name))
                text.replace(at, std::string_view(name).size(), value);
        }
        return text;
    }

    LoopbackHttpServer server_{&route};
    // A port given back, so that nothing listens there.
    const std::string closed_ = LoopbackHttpServer().url().substr(7);
    detail::UrlReadOptions options_;
    const std::string dir_ = ::testing::TempDir() + "syndra url test " + std::to_string(::getpid());
};

// URLs with the body they read or the reason they fail with: data/urls.txt.
TEST_F(UrlReading, ReadsEachUrlOrNamesWhatWentWrong) {
    options_.maxBytes = 4096;
    options_.connectTimeout = options_.totalTimeout = std::chrono::seconds(30);
    const auto cases = testsupport::readCases(TEST_DATA_DIR "/urls.txt");
    ASSERT_GT(cases.size(), 15u);
    for (const auto& c : cases) {
        const std::string url = filled(c[0]);
        const auto got = detail::readURL(url, options_);
        if (c[1].starts_with('!')) {
            EXPECT_EQ(got.error(), filled(c[1].substr(1))) << url;
            EXPECT_STREQ(got.ok() ? "none" : kindName(got.kind()), c[2].c_str()) << url;
        } else {
            ASSERT_TRUE(got.ok()) << url << ": " << got.error();
            EXPECT_EQ(*got, c[1]) << url;
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
    const auto got = detail::readURL(server_.url("/hang"), options_);
    EXPECT_EQ(got.error(), "No complete response from 127.0.0.1 within 300 ms");
}

TEST_F(UrlReading, TheSizeCapIsNamedInMebibytes) {
    options_.maxBytes = 1 << 20;
    EXPECT_EQ(detail::readURL(server_.url("/mebibyte-and-one"), options_).error(),
              "Feed larger than 1 MiB");
}

// libcurl is loaded on first use; a machine without it, or with one too old,
// gets a reason instead of a crash.
TEST(UrlReadingLibrary, AMissingOrForeignLibcurlIsNamed) {
    EXPECT_EQ(detail::loadCurl({"libsyndra-none.so.1", "libsyndra-none.so.2"}).error(),
              "Reading http and https URLs needs libcurl, which is not installed (looked for "
              "libsyndra-none.so.1, libsyndra-none.so.2)");
    EXPECT_EQ(detail::loadCurl({"libsyndra-none.so.1", "libm.so.6"}).error(),
              "libm.so.6 is too old: it lacks curl_global_init");
    EXPECT_TRUE(detail::curlLibrary());
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
    // The download is under way once the server holds its request.
    while (server_.requests().empty()) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    parser.abortParsing();
    // A hang guard: the silent server would keep an unaborted download forever.
    ASSERT_EQ(pending.wait_for(std::chrono::seconds(30)), std::future_status::ready);
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

}  // namespace
}  // namespace syndra::testing
