#include "detail/feed_kind.hpp"
#include "http_test_server.hpp"

#include <syndra/feed_parser.hpp>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <future>
#include <memory>
#include <sstream>
#include <thread>

namespace syndra {
namespace {

using detail::FeedDataKind;

TEST(KindDetection, LooksAtTheFirstVisibleCharacter) {
    const std::pair<std::string, std::optional<FeedDataKind>> cases[] = {
        {"<rss/>", FeedDataKind::xml},
        {"\xEF\xBB\xBF  \n\r\n\t<?xml", FeedDataKind::xml},
        {"\xE2\x80\x8B\xC2\xA0{\"version\":1}", FeedDataKind::json},  // ZWSP (Cf) and NBSP (Z)
        {"  {", FeedDataKind::json},
        {"[{}]", std::nullopt},
        {"rss", std::nullopt},
        {"7<", std::nullopt},
        {"\xE2\x82\xAC<", std::nullopt},  // a symbol comes first
        {"\xFF<rss/>", std::nullopt},     // not UTF-8: U+FFFD is a symbol
        {"", std::nullopt},
        {" \n\t ", std::nullopt},
        {std::string(200, ' ') + "<rss/>", std::nullopt},  // beyond the first 200 bytes
        {std::string(199, ' ') + "<", FeedDataKind::xml},
        {std::string("\xFF\xFE<\0r\0", 6), FeedDataKind::xml},
        {std::string("\xFE\xFF\0{", 4), FeedDataKind::json},
        {std::string("\xFF\xFE\0\0<\0\0\0", 8), FeedDataKind::xml},
        {std::string("\0\0\xFE\xFF\0\0\0{", 8), FeedDataKind::json},
        {std::string("<\0?\0x\0", 6), FeedDataKind::xml},
    };
    for (const auto& [bytes, expected] : cases) {
        EXPECT_EQ(detail::detectFeedDataKind(bytes), expected) << ::testing::PrintToString(bytes);
    }
}

TEST(ParserErrors, TextsAndCodes) {
    struct Case {
        ParserError error;
        const char* caseName;
        int code;
        std::string description, failureReason, recoverySuggestion;
    };
    const Case cases[] = {
        {ParserError::feedCDATABlockEncodingError("/rss/channel/"), "feedCDATABlockEncodingError",
         -10001, "`CDATAblock` encoding error",
         "Unable to convert the bytes in `CDATABlock` to Unicode characters using the UTF-8 "
         "encoding at current path: /rss/channel/",
         "Make sure the encoding provided in a `CDATABlock` is encoded as UTF-8"},
        {ParserError::internalError("boom"), "internalError", -90000,
         "Internal unresolved error: boom",
         "Unable to recover from an internal unresolved error: boom",
         "If you're seeing this error you probably should open an issue on github"},
        {ParserError::internalError(""), "internalError", -90000,
         "Internal unresolved error: ", "Unable to recover from an internal unresolved error: ",
         "If you're seeing this error you probably should open an issue on github"},
        {ParserError::feedNotFound(), "feedNotFound", -1000, "Feed not found",
         "Couldn't parse any known feed", "Provide a valid Atom/RSS/JSON feed "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caseName);
        EXPECT_STREQ(c.error.caseName(), c.caseName);
        EXPECT_EQ(c.error.code(), c.code);
        EXPECT_EQ(c.error.errorDescription(), c.description);
        EXPECT_EQ(c.error.localizedDescription(), c.description);
        EXPECT_EQ(c.error.failureReason(), c.failureReason);
        EXPECT_EQ(c.error.recoverySuggestion(), c.recoverySuggestion);
        const auto platform = c.error.platformError();
        EXPECT_EQ(platform.domain, "com.syndra.error");
        EXPECT_EQ(platform.code, c.code);
        const std::map<std::string, std::string> userInfo = {
            {"NSLocalizedDescription", c.description},
            {"NSLocalizedFailureReason", c.failureReason},
            {"NSLocalizedRecoverySuggestion", c.recoverySuggestion}};
        EXPECT_EQ(platform.userInfo, userInfo);
    }
    EXPECT_EQ(ParserError::feedNotFound().recoverySuggestion().size(), 35u);
}

std::string reasonOf(const Result& r) {
    return r.error() ? r.error()->errorDescription() : "success";
}

TEST(FeedParserFront, DispatchesOnTheKindOfDocument) {
    const std::pair<std::string, std::string> cases[] = {
        {"", "Feed not found"},
        {"   \n", "Feed not found"},
        {"[1, 2]", "Feed not found"},
        {"hello <rss/>", "Feed not found"},
        {"\n\n<rss><channel/></rss>", "success"},
        {"<rss/>", "Internal unresolved error: Unable to initialize rss feed model"},
        {"<feed/>", "Internal unresolved error: Unable to initialize atom feed model"},
        {"<html/>", "Feed not found"},
    };
    for (const auto& [bytes, expected] : cases) {
        EXPECT_EQ(reasonOf(FeedParser::fromData(bytes).parse()), expected) << bytes;
    }
}

TEST(FeedParserFront, JsonInEveryUnicodeFormIsReadAsJson) {
    const std::string json =
        R"({"version":"https://jsonfeed.org/version/1.1","title":"T","items":[]})";
    auto widen = [&](int width, bool bigEndian) {
        std::string out;
        for (char c : json) {
            std::string unit(static_cast<std::size_t>(width), '\0');
            unit[bigEndian ? unit.size() - 1 : 0] = c;
            out += unit;
        }
        return out;
    };
    const std::string documents[] = {
        "\xEF\xBB\xBF" + json,
        std::string("\xFF\xFE", 2) + widen(2, false),
        std::string("\xFE\xFF", 2) + widen(2, true),
        std::string("\xFF\xFE\0\0", 4) + widen(4, false),
        std::string("\0\0\xFE\xFF", 4) + widen(4, true),
    };
    for (const std::string& doc : documents) {
        const Result r = FeedParser::fromData(doc).parse();
        ASSERT_TRUE(r.isSuccess()) << reasonOf(r);
        EXPECT_EQ(r.feed()->kind(), Feed::Kind::json);
    }
}

TEST(FeedParserFront, FilesAndStreamsReadXMLOrJSON) {
    const std::string json = R"({"version":"https://jsonfeed.org/version/1.1","title":"T"})";
    const std::string path = ::testing::TempDir() + "syndra-front.json";
    std::ofstream(path) << json;
    std::istringstream stream(json);
    EXPECT_EQ(reasonOf(FeedParser::fromFile(path).parse()), "success");
    EXPECT_EQ(reasonOf(FeedParser::fromStream(stream).parse()), "success");
    std::remove(path.c_str());
    // The XML stream reads XML only.
    std::istringstream asXML(json);
    EXPECT_EQ(reasonOf(FeedParser::fromXMLStream(asXML).parse()),
              "Internal unresolved error: not well-formed (invalid token) at line 1, column 1");
}

// What went wrong, in a form a program can act on, for every kind of cause.
TEST(FeedParserFront, FailuresHaveAKind) {
    using testing::HttpTestServer;
    HttpTestServer server([](const std::string&, const std::string&) {
        return HttpTestServer::Reply{HttpTestServer::response(404, "Not Found", "")};
    });
    std::string refused;
    {
        HttpTestServer gone(
            [](const std::string&, const std::string&) { return HttpTestServer::Reply{}; });
        refused = gone.url("/");
    }
    Options small;
    small.maxDocumentBytes = 10;
    const std::pair<std::function<FeedParser()>, ErrorKind> cases[] = {
        {[] { return FeedParser::fromFile("/nonexistent/feed.xml"); }, ErrorKind::file},
        {[&] { return FeedParser::fromURL(refused); }, ErrorKind::network},
        {[&] { return FeedParser::fromURL(server.url("/feed")); }, ErrorKind::httpStatus},
        {[&] { return FeedParser::fromData("<rss><channel/></rss>", small); }, ErrorKind::tooLarge},
        {[] { return FeedParser::fromData("<html/>"); }, ErrorKind::notAFeed},
        {[] { return FeedParser::fromData("<rss><channel></rss>"); }, ErrorKind::syntax},
        {[] { return FeedParser::fromData("{\"version\":"); }, ErrorKind::syntax},
        {[] { return FeedParser::fromData("<?xml version=\"1.0\" encoding=\"x-none\"?><rss/>"); },
         ErrorKind::encoding},
        {[] {
             return FeedParser::fromData(
                 "<rss><channel><title><![CDATA[\xC3]]></title></channel></rss>");
         },
         ErrorKind::encoding},
        {[] { return FeedParser::fromData(R"({"version":"1","title":7})"); },
         ErrorKind::invalidJSONFeed},
    };
    for (const auto& [parser, kind] : cases) {
        const Result result = parser().parse();
        ASSERT_FALSE(result.isSuccess()) << kindName(kind);
        EXPECT_EQ(result.error()->kind(), kind) << result.error()->reason();
        EXPECT_EQ(result.error()->path(), "") << result.error()->reason();
    }
}

TEST(FeedParserFront, AMovedFromParserReportsItsState) {
    FeedParser parser = FeedParser::fromData("<rss><channel/></rss>");
    FeedParser taken = std::move(parser);
    EXPECT_EQ(
        reasonOf(parser.parse()),  // NOLINT(bugprone-use-after-move)
        "Internal unresolved error: Fatal error. Unable to parse from the initialized state.");
    parser.abortParsing();  // harmless
    EXPECT_EQ(reasonOf(taken.parse()), "success");
    EXPECT_EQ(reasonOf(taken.parse()), "success");  // parses again from its source
}

TEST(FeedParserFront, ParseAsyncRunsOnTheExecutorAndKeepsTheStateAlive) {
    std::thread worker;
    std::promise<std::pair<std::thread::id, std::string>> done;
    {
        FeedParser parser = FeedParser::fromData("<rss><channel/></rss>");
        parser.parseAsync(
            [&](std::function<void()> task) { worker = std::thread(std::move(task)); },
            [&](Result r) {
                done.set_value({std::this_thread::get_id(), reasonOf(r)});
            });
    }  // the parser is gone before (or while) the task runs
    const auto [thread, reason] = done.get_future().get();
    worker.join();
    EXPECT_NE(thread, std::this_thread::get_id());
    EXPECT_EQ(reason, "success");
}

// A parser over the caller's bytes reads them where they are; the result it
// gives owns its texts, so it stays good once the bytes are gone.
TEST(FeedParserFront, AViewedDocumentReadsLikeAnOwnedOne) {
    const std::string documents[] = {
        "<rss><channel><title>Caf\xC3\xA9 &amp; more</title>"
        "<item><title><![CDATA[One]]></title></item></channel></rss>",
        "<?xml version=\"1.0\" standalone=\"yes\"?>\n<rss><channel><title>A&nbsp;B</title>"
        "</channel></rss>",
        R"({"version":"https://jsonfeed.org/version/1.1","title":"T","items":[{"id":"1"}]})",
        std::string("\xFF\xFE<\0r\0s\0s\0/\0>\0", 14),
    };
    for (const std::string& doc : documents) {
        const Result owned = FeedParser::fromData(doc).parse();
        auto bytes = std::make_unique<std::string>(doc);
        FeedParser parser = FeedParser::fromDataView(*bytes);
        const Result viewed = parser.parse();
        bytes.reset();
        ASSERT_EQ(reasonOf(viewed), reasonOf(owned)) << doc;
        if (owned.isSuccess()) {
            EXPECT_TRUE(*viewed.feed() == *owned.feed()) << doc;
        }
    }
}

std::string largeFeed() {
    std::string doc = "<rss><channel>";
    for (int i = 0; i < 50000; ++i) doc += "<item><title>Episode</title></item>";
    return doc + "</channel></rss>";
}

TEST(FeedParserFront, AbortFromAnotherThreadStopsTheParse) {
    FeedParser parser = FeedParser::fromData(largeFeed());
    std::promise<Result> done;
    std::thread worker;
    parser.parseAsync([&](std::function<void()> task) { worker = std::thread(std::move(task)); },
                      [&](Result r) { done.set_value(std::move(r)); });
    parser.abortParsing();  // reaches the task whether or not it has started
    const Result r = done.get_future().get();
    worker.join();
    EXPECT_EQ(reasonOf(r), "Internal unresolved error: Parsing aborted");
    EXPECT_EQ(r.error()->kind(), ErrorKind::aborted);
    // A later parse starts afresh.
    EXPECT_EQ(reasonOf(parser.parse()), "success");
}

TEST(FeedParserFront, AbortWithoutAParseIsForgotten) {
    FeedParser parser = FeedParser::fromData("<rss><channel/></rss>");
    parser.abortParsing();
    EXPECT_EQ(reasonOf(parser.parse()), "success");
}

TEST(FeedParserFront, VersionNamesTheLibrary) {
    EXPECT_EQ(std::string(version()).rfind("Syndra ", 0), 0u);
    EXPECT_GT(std::string(version()).size(), 7u);
}

}  // namespace
}  // namespace syndra
