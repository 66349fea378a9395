// The one-pass JSON Feed reader against the keyed decoder it stands in for:
// whatever it answers, the decoder must read to the very same feed; what it
// leaves, the decoder fails or reads its own way; sound documents must be
// answered, or the reader is useless. The fuzz target checks the same on any
// input; these are the documents where the two ways are easiest to part.

#include <syndra/date_formatters.hpp>
#include <syndra/json_feed.hpp>

#include "detail/json_feed_decoding.hpp"
#include "detail/json_feed_reader.hpp"

#include <gtest/gtest.h>

#include <string>
#include <variant>

namespace syndra {
namespace {

struct Case {
    const char* name;
    std::string json;
    bool answered;
};

TEST(JsonFeedReaderTest, AnswersSoundDocumentsAsTheKeyedDecoderDoesAndLeavesTheRest) {
    const Case cases[] = {
        {"Empty", "{}", true},
        {"SpacesAround", " \r\n\t{ } \n", true},
        {"Nulls", R"({"title":null,"items":null,"author":null,"expired":null})", true},
        {"UnknownMembersAnyDepth",
         R"({"_x":{"a":[1,-2.5e3,true,false,null,{"b":"c"}]},"items":[]})", true},
        {"EscapedMemberName", R"({"ti\u0074le":"t"})", true},
        {"Escapes", R"({"title":"\"\\\/\b\f\n\r\t\u00e9\ud83c\udfa7\u0000"})", true},
        {"IntegerIds",
         R"({"items":[{"id":123},{"id":-5},{"id":"x"},{"id":-0},
            {"id":18446744073709551616},{"id":-123456789012345678901234567890}]})",
         true},
        {"NegativeZeros",
         R"({"items":[{"attachments":[{"size_in_bytes":-0,"duration_in_seconds":-0}]}]})", true},
        {"ExactSize", R"({"items":[{"attachments":[{"size_in_bytes":9007199254740993}]}]})", true},
        {"FractionDuration", R"({"items":[{"attachments":[{"duration_in_seconds":1.5e2}]}]})",
         true},
        {"AuthorWithUrlOnly", R"({"author":{"url":"u"}})", true},
        {"HubWithoutUrl", R"({"hubs":[{"type":"WebSub"}]})", true},
        // Left to the keyed decoder: it fails, or reads these its own way.
        {"TitleTwice", R"({"title":"a","title":"b"})", false},
        {"TrailingComma", R"({"title":"a",})", false},
        {"SecondDocument", "{}{}", false},
        {"LowSurrogateFirst", R"({"title":"\udc00\ud800"})", false},
        {"RawControlCharacter", "{\"title\":\"a\x01\"}", false},
        {"OverlongUtf8", "{\"title\":\"\xC0\xAF\"}", false},
        {"EncodedSurrogate", "{\"title\":\"\xED\xA0\x80\"}", false},
        {"LeadingZero", R"({"_x":01})", false},
        {"BareFraction", R"({"_x":1.})", false},
        {"OverflowingNumber", R"({"_x":6e666})", false},
        {"OverflowingDuration", R"({"items":[{"attachments":[{"duration_in_seconds":-1e999}]}]})",
         false},
        {"IdPastADouble", R"({"items":[{"id":1)" + std::string(400, '0') + "}]}", false},
        {"FractionalId", R"({"items":[{"id":1.0}]})", false},
        {"FractionalSize", R"({"items":[{"attachments":[{"size_in_bytes":1.0}]}]})", false},
        {"HugeSize", R"({"items":[{"attachments":[{"size_in_bytes":9223372036854775807}]}]})",
         false},
        {"NullTag", R"({"items":[{"tags":["a",null]}]})", false},
        {"TooDeep", "{\"_x\":" + std::string(600, '[') + std::string(600, ']') + "}", false},
    };
    const RFC3339DateFormatter dates;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto quick = detail::readJSONFeed(c.json, dates);
        const auto keyed = detail::decodeJSONFeedKeyed(c.json, dates);
        EXPECT_EQ(quick.has_value(), c.answered);
        if (quick) {
            ASSERT_TRUE(std::holds_alternative<JSONFeed>(keyed));
            EXPECT_EQ(encodeJSONFeed(*quick), encodeJSONFeed(std::get<JSONFeed>(keyed)));
        }
        // Through the front end, the answer (or the keyed decoder's error) is the same.
        const Result result = detail::decodeJSONFeed(c.json);
        EXPECT_EQ(result.feed() != nullptr, std::holds_alternative<JSONFeed>(keyed));
    }
}

}  // namespace
}  // namespace syndra
