#include "support/case_file.hpp"
#include "support/loopback_http_server.hpp"

#include <syndra/feed_parser.hpp>

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <future>
#include <memory>
#include <sstream>
#include <thread>

namespace syndra {
namespace {

// Each error's texts and codes, word for word: data/parser_errors.txt.
TEST(ParserErrors, TextsAndCodes) {
    const auto cases = testsupport::readCases(TEST_DATA_DIR "/parser_errors.txt");
    ASSERT_EQ(cases.size(), 4u);
    for (const auto& c : cases) {
        SCOPED_TRACE(c[0]);
        const auto space = c[0].find(' ');
        const std::string made = c[0].substr(0, space);
        const std::string argument = space == std::string::npos ? "" : c[0].substr(space + 1);
        const ParserError error = made == "feedNotFound" ? ParserError::feedNotFound()
                                  : made == "internalError"
                                      ? ParserError::internalError(argument)
                                      : ParserError::feedCDATABlockEncodingError(argument);
        EXPECT_EQ(error.caseName(), c[1]);
        EXPECT_EQ(error.code(), std::stoi(c[2]));
        EXPECT_EQ(error.errorDescription(), c[3]);
        EXPECT_EQ(error.localizedDescription(), c[3]);
        EXPECT_EQ(error.failureReason(), c[4]);
        EXPECT_EQ(error.recoverySuggestion(), c[5]);
        const auto platform = error.platformError();
        EXPECT_EQ(platform.domain, "com.syndra.error");
        EXPECT_EQ(platform.code, error.code());
        const std::map<std::string, std::string> userInfo = {
            {"NSLocalizedDescription", c[3]},
            {"NSLocalizedFailureReason", c[4]},
            {"NSLocalizedRecoverySuggestion", c[5]}};
        EXPECT_EQ(platform.userInfo, userInfo);
    }
}

std::string reasonOf(const Result& r) {
    return r.error() ? r.error()->errorDescription() : "success";
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

// What went wrong, in a form a program can act on, for every kind of cause
// (the kinds of documents' errors are in data/hostile/outcomes.txt).
TEST(FeedParserFront, FailuresHaveAKind) {
    testsupport::LoopbackHttpServer server;
    server.respond({.status = 404, .reason = "Not Found"});
    std::string refused;
    {
        const testsupport::LoopbackHttpServer gone;
        refused = gone.url("/");
    }
    Options small;
    small.maxDocumentBytes = 10;
    const std::pair<std::function<FeedParser()>, ErrorKind> cases[] = {
        {[] { return FeedParser::fromFile("/nonexistent/feed.xml"); }, ErrorKind::file},
        {[&] { return FeedParser::fromURL(refused); }, ErrorKind::network},
        {[&] { return FeedParser::fromURL(server.url("/feed")); }, ErrorKind::httpStatus},
        {[&] { return FeedParser::fromData("<rss><channel/></rss>", small); }, ErrorKind::tooLarge},
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

}  // namespace
}  // namespace syndra
