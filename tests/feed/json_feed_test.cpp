// JSON Feed documents with the feed they read to, or the reason they fail
// with, are kept in data/json/: decoding.txt, and rich.json, a document using
// every member, with rich.expected.json, the feed it reads to as written back.

#include <syndra/json_feed.hpp>

#include "detail/json_feed_decoding.hpp"
#include "support/case_file.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

namespace syndra {
namespace {

using testsupport::readFile;

// The decoded feed written back compactly, or "fails: " and the reason.
std::string decoded(std::string_view json) {
    const Result result = detail::decodeJSONFeed(json);
    if (const ParserError* error = result.error()) {
        EXPECT_EQ(error->errorCase(), ParserError::Case::internalError);
        return "fails: " + error->reason();
    }
    const JSONFeed* feed = result.feed() ? result.feed()->jsonFeed() : nullptr;
    return feed != nullptr ? encodeJSONFeed(*feed) : "fails: not a JSON Feed result";
}

JSONFeed decodeOk(std::string_view json) {
    const Result result = detail::decodeJSONFeed(json);
    const JSONFeed* feed = result.feed() ? result.feed()->jsonFeed() : nullptr;
    if (feed == nullptr) ADD_FAILURE() << "decoding failed: " << json;
    return feed != nullptr ? *feed : JSONFeed{};
}

TEST(JSONFeedDecoding, EachDocumentReadsToItsFeedOrFailsWithItsReason) {
    const auto cases = testsupport::readCases(TEST_DATA_DIR "/json/decoding.txt");
    ASSERT_GT(cases.size(), 70u);
    for (const auto& c : cases) {
        const std::string expected = c[0] == "fails" ? "fails: " + c[2] : c[2];
        EXPECT_EQ(decoded(c[1]), expected)
            << "line " << c.line << ": " << ::testing::PrintToString(c[1].substr(0, 100));
        // What is written reads back to the same feed.
        EXPECT_EQ(c[0] == "reads" ? decoded(c[2]) : c[2], c[2]) << "line " << c.line;
    }
}

TEST(JSONFeedDecoding, ReadsEveryMemberOfEveryRecord) {
    const JSONFeed feed = decodeOk(readFile(TEST_DATA_DIR "/json/rich.json"));
    EXPECT_EQ(encodeJSONFeed(feed, 2) + "\n", readFile(TEST_DATA_DIR "/json/rich.expected.json"));
    // Written either way, it reads back to the same feed.
    EXPECT_EQ(decodeOk(encodeJSONFeed(feed)), feed);
    EXPECT_EQ(decodeOk(encodeJSONFeed(feed, 2)), feed);
}

TEST(JSONFeedEncoding, TextThatIsNotUtf8IsWrittenWithReplacementCharacters) {
    JSONFeed feed;
    feed.title = Text("caf\xC3");
    EXPECT_EQ(decodeOk(encodeJSONFeed(feed)).title, Text("caf\xEF\xBF\xBD"));
}

}  // namespace
}  // namespace syndra
