// The one-pass JSON Feed reader against the keyed decoder it stands in for:
// whatever it answers, the decoder must read to the very same feed; what it
// leaves, the decoder fails or reads its own way; sound documents must be
// answered, or the reader is useless. The fuzz target checks the same on any
// input; these are the documents where the two ways are easiest to part.

#include <syndra/date_formatters.hpp>
#include <syndra/json_feed.hpp>

#include "detail/json_feed_decoding.hpp"
#include "detail/json_feed_reader.hpp"
#include "support/case_file.hpp"

#include <gtest/gtest.h>

#include <string>
#include <variant>

namespace syndra {
namespace {

// Each document of data/json/quick_reader.txt, and every document of the
// decoding cases too.
TEST(JsonFeedReaderTest, AnswersSoundDocumentsAsTheKeyedDecoderDoesAndLeavesTheRest) {
    auto cases = testsupport::readCases(TEST_DATA_DIR "/json/quick_reader.txt");
    ASSERT_GT(cases.size(), 25u);
    for (auto& decoding : testsupport::readCases(TEST_DATA_DIR "/json/decoding.txt")) {
        cases.push_back({decoding.line, {"either", "decoding.txt", decoding[1]}});
    }
    const RFC3339DateFormatter dates;
    for (const auto& c : cases) {
        SCOPED_TRACE(c[1] + " at line " + std::to_string(c.line));
        const auto quick = detail::readJSONFeed(c[2], dates);
        const auto keyed = detail::decodeJSONFeedKeyed(c[2], dates);
        EXPECT_EQ(quick.has_value(), c[0] == "either" ? quick.has_value() : c[0] == "answered");
        if (quick) {
            ASSERT_TRUE(std::holds_alternative<JSONFeed>(keyed));
            EXPECT_EQ(encodeJSONFeed(*quick), encodeJSONFeed(std::get<JSONFeed>(keyed)));
        }
        // Through the front end, the answer (or the keyed decoder's error) is the same.
        const Result result = detail::decodeJSONFeed(c[2]);
        EXPECT_EQ(result.feed() != nullptr, std::holds_alternative<JSONFeed>(keyed));
    }
}

}  // namespace
}  // namespace syndra
