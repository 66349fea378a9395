#include <platform/json/keyed_decoding.hpp>
#include <platform/json/keyed_encoding.hpp>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace {

using platform::json::DecodingError;
using platform::json::Keyed;
using platform::json::KeyedWriter;

// A record with its JSON code as members.
struct Release {
    std::string product;
    std::optional<std::string> version;
    static void decode(Keyed& k, Release& r) {
        k.required("product", r.product);
        k.optional("version", r.version);
    }
    void encode(KeyedWriter& w) const {
        w.write("product", product);
        w.write("version", version);
    }
};

// A string type of its own, as feed models use.
struct Label : std::string {
    using std::string::string;
};

// A record that knows nothing of JSON; its code lives in a Codec.
struct Range {
    std::optional<std::int64_t> low;
    std::optional<std::int64_t> high;
    std::optional<Label> label;
    std::optional<std::vector<Release>> releases;
};

}  // namespace

template <>
struct platform::json::Codec<Range> {
    static void decode(Keyed& k, Range& r) {
        k.optional("low", r.low);
        k.optional("high", r.high);
        k.optional("label", r.label);
        k.optional("releases", r.releases);
        if (!k.failed() && r.low && r.high && *r.low > *r.high) {
            k.reject(DecodingError::Kind::dataCorrupted, "low is above high");
        }
    }
    static void encode(KeyedWriter& w, const Range& r) {
        w.write("high", r.high);
        w.write("low", r.low);
        w.write("label", r.label);
        w.write("releases", r.releases);
    }
};

namespace {

std::string failure(std::string_view json) {
    auto result = platform::json::decode<Range>(json);
    if (auto* error = std::get_if<DecodingError>(&result)) return error->localizedDescription();
    return "decoded";
}

TEST(JsonKeyedTest, DecodesRecordsThroughACodec) {
    auto result = platform::json::decode<Range>(
        R"({"low": 1, "high": 3, "label": "x", "releases": [{"product": "p", "version": null}]})");
    ASSERT_TRUE(std::holds_alternative<Range>(result));
    const Range& r = std::get<Range>(result);
    EXPECT_EQ(r.low, 1);
    EXPECT_EQ(r.high, 3);
    ASSERT_TRUE(r.label);
    EXPECT_EQ(std::string(*r.label), "x");
    ASSERT_TRUE(r.releases && r.releases->size() == 1);
    EXPECT_EQ(r.releases->front().product, "p");
    EXPECT_EQ(r.releases->front().version, std::nullopt);
}

TEST(JsonKeyedTest, DescribesEachFailureWithItsPath) {
    using namespace std::string_view_literals;
    const std::pair<std::string_view, const char*> cases[] = {
        {R"({"low": 5, "high": 2})", "Invalid value at the document: low is above high."},
        {R"({"releases": [{"product": "a"}, {"version": "1"}]})",
         R"(Missing member "releases[1].product": the member is required.)"},
        {R"({"releases": [{"product": null}]})",
         R"(Missing value at "releases[0].product": expected a value, found null.)"},
        {R"({"low": -1e300})",
         R"(Type mismatch at "low": expected a 64-bit integer, found a number outside that range.)"},
        {"{\"low\": 1e999}", "The data is not valid JSON: number overflow parsing '1e999'."},
        // The JSON library stops at a NUL as if the text ended there.
        {"{\"low\": 1}\0{"sv, "The data is not valid JSON: a NUL byte at offset 10."},
        {"{\"low\": 1}\0"sv, "The data is not valid JSON: a NUL byte at offset 10."},
    };
    for (const auto& [json, reason] : cases) EXPECT_EQ(failure(json), reason) << json;
}

TEST(JsonKeyedTest, ParserMessagesStayShortValidText) {
    // The parser quotes what it read last: here the broken byte itself.
    const std::string shortReason = failure("{\"label\": \"ab\xC3\x28\"}");
    EXPECT_EQ(shortReason.rfind("The data is not valid JSON: parse error", 0), 0u) << shortReason;
    EXPECT_EQ(shortReason.find('\xC3'), std::string::npos);
    EXPECT_NE(shortReason.find("\xEF\xBF\xBD"), std::string::npos);  // U+FFFD in its place

    // Here a long string before it, which is cut.
    const std::string longReason =
        failure("{\"label\": \"" + std::string(5000, 'a') + "\xC3\x28\"}");
    EXPECT_EQ(longReason.rfind("The data is not valid JSON: parse error", 0), 0u) << longReason;
    EXPECT_LT(longReason.size(), 300u);
    EXPECT_EQ(longReason.find('\xC3'), std::string::npos);
}

TEST(JsonKeyedTest, EncodesCodecAndMemberRecordsInTheirKeyOrder) {
    Range r;
    r.low = 1;
    r.label = Label("x");
    r.releases = std::vector<Release>{{"p", std::nullopt}};
    EXPECT_EQ(platform::json::encode(r),
              R"({"high":null,"low":1,"label":"x","releases":[{"product":"p","version":null}]})");
    EXPECT_EQ(platform::json::encode(Release{"p", "2"}), R"({"product":"p","version":"2"})");
}

}  // namespace
