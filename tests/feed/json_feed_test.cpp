#include <syndra/json_feed.hpp>

#include "detail/json_feed_decoding.hpp"

#include <gtest/gtest.h>
#include <unicode/unistr.h>

#include <chrono>
#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace syndra {
namespace {

using namespace std::chrono;

Date at(int y, unsigned mo, unsigned d, int h, int mi, int s, int ms = 0) {
    return Date(sys_days(year(y) / month(mo) / day(d)) + hours(h) + minutes(mi) + seconds(s) +
                milliseconds(ms));
}

// The decoded feed, or the failure's reason.
std::variant<JSONFeed, std::string> decode(std::string_view json) {
    const Result result = detail::decodeJSONFeed(json);
    if (const ParserError* error = result.error()) {
        EXPECT_EQ(error->errorCase(), ParserError::Case::internalError);
        return error->reason();
    }
    const JSONFeed* feed = result.feed() ? result.feed()->jsonFeed() : nullptr;
    if (feed == nullptr) return std::string("not a JSON Feed result");
    return *feed;
}

JSONFeed decodeOk(std::string_view json) {
    auto decoded = decode(json);
    if (auto* reason = std::get_if<std::string>(&decoded)) {
        ADD_FAILURE() << "decoding failed: " << *reason << "\n" << json;
        return {};
    }
    return std::get<JSONFeed>(decoded);
}

const char* const kRichDocument = R"({
  "version": "https://jsonfeed.org/version/1",
  "title": "Cassette Hour",
  "user_comment": "Subscribe in a reader.",
  "home_page_url": "https://example.org/",
  "description": "Tapes from the attic",
  "feed_url": "https://example.org/feed.json",
  "next_url": "https://example.org/feed.json?page=2",
  "icon": "https://example.org/icon.png",
  "favicon": "https://example.org/favicon.ico",
  "expired": false,
  "author": {"name": "Ada", "url": "https://example.org/ada", "avatar": "https://example.org/ada.png"},
  "hubs": [{"type": "WebSub", "url": "https://hub.example.org/"}, {"type": "rssCloud"}],
  "items": [
    {
      "id": "episode-1",
      "title": "Side A",
      "url": "https://example.org/1",
      "external_url": "https://elsewhere.example.com/1",
      "content_text": "Plain notes",
      "content_html": "<p>Notes &amp; more</p>",
      "summary": "The first one",
      "image": "https://example.org/1.jpg",
      "banner_image": "https://example.org/1-banner.jpg",
      "date_published": "2003-06-10T04:00:00Z",
      "date_modified": "2003-12-13T18:30:02.25+01:00",
      "tags": ["tape", "caf\u00e9", ""],
      "author": {"name": "Grace"},
      "attachments": [
        {"title": "MP3", "url": "https://example.org/1.mp3", "mime_type": "audio/mpeg",
         "size_in_bytes": 9223372036854775807, "duration_in_seconds": 90},
        {"url": "https://example.org/1.ogg", "duration_in_seconds": 1.5e3}
      ]
    },
    {"id": "episode-2", "tags": [], "attachments": []}
  ]
})";

JSONFeed richFeed() {
    JSONFeed f;
    f.version = Text("https://jsonfeed.org/version/1");
    f.title = Text("Cassette Hour");
    f.userComment = Text("Subscribe in a reader.");
    f.homePageURL = Text("https://example.org/");
    f.description = Text("Tapes from the attic");
    f.feedUrl = Text("https://example.org/feed.json");
    f.nextUrl = Text("https://example.org/feed.json?page=2");
    f.icon = Text("https://example.org/icon.png");
    f.favicon = Text("https://example.org/favicon.ico");
    f.expired = false;
    f.author = JSONFeedAuthor{Text("Ada"), Text("https://example.org/ada"),
                              Text("https://example.org/ada.png")};
    f.hubs = {JSONFeedHub{Text("WebSub"), Text("https://hub.example.org/")},
              JSONFeedHub{Text("rssCloud"), std::nullopt}};
    JSONFeedItem first;
    first.id = Text("episode-1");
    first.title = Text("Side A");
    first.url = Text("https://example.org/1");
    first.externalUrl = Text("https://elsewhere.example.com/1");
    first.contentText = Text("Plain notes");
    first.contentHtml = Text("<p>Notes &amp; more</p>");
    first.summary = Text("The first one");
    first.image = Text("https://example.org/1.jpg");
    first.bannerImage = Text("https://example.org/1-banner.jpg");
    first.datePublished = at(2003, 6, 10, 4, 0, 0);
    first.dateModified = at(2003, 12, 13, 17, 30, 2, 250);
    first.tags = std::vector<Text>{Text("tape"), Text("caf\xC3\xA9"), Text("")};
    first.author = JSONFeedAuthor{Text("Grace"), std::nullopt, std::nullopt};
    first.attachments = std::vector<JSONFeedAttachment>{
        {Text("https://example.org/1.mp3"), Text("audio/mpeg"), Text("MP3"), 9223372036854775807LL,
         90.0},
        {Text("https://example.org/1.ogg"), std::nullopt, std::nullopt, std::nullopt, 1500.0}};
    JSONFeedItem second;
    second.id = Text("episode-2");
    second.tags = std::vector<Text>{};
    second.attachments = std::vector<JSONFeedAttachment>{};
    f.items = std::vector<JSONFeedItem>{first, second};
    return f;
}

TEST(JSONFeedDecodingTest, ReadsEveryMemberOfEveryRecord) {
    const JSONFeed feed = decodeOk(kRichDocument);
    const JSONFeed expected = richFeed();
    EXPECT_EQ(feed, expected);
    // Field by field too, so that a failure says where.
    ASSERT_TRUE(feed.items && feed.items->size() == 2);
    EXPECT_EQ((*feed.items)[0].dateModified, (*expected.items)[0].dateModified);
    EXPECT_EQ((*feed.items)[0].attachments, (*expected.items)[0].attachments);
    EXPECT_EQ(feed.hubs, expected.hubs);
}

struct ShapeCase {
    const char* json;
    JSONFeed expected;
};

TEST(JSONFeedDecodingTest, AbsentNullAndEmptyAreKeptApart) {
    JSONFeed emptyItems;
    emptyItems.items = std::vector<JSONFeedItem>{};
    JSONFeed titled;
    titled.title = Text("Kept");
    JSONFeed expiredTrue;
    expiredTrue.expired = true;
    const ShapeCase cases[] = {
        {"{}", JSONFeed{}},
        {" \n{ } \n", JSONFeed{}},
        {"\xEF\xBB\xBF{}", JSONFeed{}},  // byte-order mark
        {R"({"items": null})", JSONFeed{}},
        {R"({"items": []})", emptyItems},
        {R"({"title": null, "author": null, "hubs": null, "expired": null})", JSONFeed{}},
        {R"({"expired": true})", expiredTrue},
        // Unknown keys, extensions and keys differing in case are not members.
        {R"({"Title": 5, "TITLE": [], "_cassivo": {"about": 1}, "title": "Kept", "extra": null})",
         titled},
    };
    for (const auto& c : cases) EXPECT_EQ(decodeOk(c.json), c.expected) << c.json;
}

struct AuthorCase {
    const char* json;
    JSONFeedAuthor expected;
};

TEST(JSONFeedDecodingTest, AcceptsAnAuthorWithAnyOfItsMembers) {
    const AuthorCase cases[] = {
        {R"({"name": "Ada"})", {Text("Ada"), std::nullopt, std::nullopt}},
        {R"({"url": "https://a.example"})",
         {std::nullopt, Text("https://a.example"), std::nullopt}},
        {R"({"avatar": "a.png"})", {std::nullopt, std::nullopt, Text("a.png")}},
        {R"({"name": null, "avatar": "a.png", "role": "host"})",
         {std::nullopt, std::nullopt, Text("a.png")}},
    };
    for (const auto& c : cases) {
        const std::string feedJson = std::string(R"({"author": )") + c.json + "}";
        EXPECT_EQ(decodeOk(feedJson).author, c.expected) << c.json;
        const std::string itemJson = std::string(R"({"items": [{"author": )") + c.json + "}]}";
        const JSONFeed feed = decodeOk(itemJson);
        ASSERT_TRUE(feed.items && feed.items->size() == 1) << c.json;
        EXPECT_EQ(feed.items->front().author, c.expected) << c.json;
    }
}

TEST(JSONFeedDecodingTest, ReadsAnIntegerItemIdAsItsDecimalText) {
    const char* const read[] = {
        "123",
        "-5",
        "-0",
        "18446744073709551615",
        "18446744073709551616",
        "-9223372036854775809",
        "123456789012345678901234567890",
    };
    // A byte-order mark sends the document to the keyed decoder.
    for (const char* prefix : {"", "\xEF\xBB\xBF"}) {
        for (const std::string id : read) {
            const JSONFeed feed =
                decodeOk(std::string(prefix) + R"({"items": [{}, {"id": )" + id + "}]}");
            ASSERT_TRUE(feed.items && feed.items->size() == 2) << id;
            EXPECT_EQ(feed.items->back().id, Text(id)) << prefix << id;
        }
    }
    const std::pair<const char*, const char*> refused[] = {
        {"1.0", "a number with a fraction or an exponent"},
        {"1e3", "a number with a fraction or an exponent"},
        {"-0.0", "a number with a fraction or an exponent"},
        {"123456789012345678901234567890.5", "a number with a fraction or an exponent"},
        {"true", "a Boolean"},
        {"[1]", "an array"},
        {R"({"id": 1})", "an object"},
    };
    for (const auto& [id, found] : refused) {
        const auto decoded = decode(std::string(R"({"items": [{}, {"id": )") + id + "}]}");
        ASSERT_TRUE(std::holds_alternative<std::string>(decoded)) << id;
        EXPECT_EQ(std::get<std::string>(decoded),
                  std::string(R"(Type mismatch at "items[1].id": expected a string or an )"
                              "integer, found ") +
                      found + ".");
    }
}

struct FailureCase {
    const char* json;
    const char* reason;
};

TEST(JSONFeedDecodingTest, FailsTheWholeDocumentNamingTheMember) {
    const FailureCase cases[] = {
        {"[]", "Type mismatch at the document: expected an object, found an array."},
        {R"({"version": 1})",
         R"(Type mismatch at "version": expected a string, found an integer.)"},
        {R"({"expired": "true"})",
         R"(Type mismatch at "expired": expected a Boolean, found a string.)"},
        {R"({"author": "Ada"})",
         R"(Type mismatch at "author": expected an object, found a string.)"},
        {R"({"author": {}})",
         R"(Invalid value at "author": an author needs at least one of "name", "url" or "avatar".)"},
        {R"({"author": {"name": null}})",
         R"(Invalid value at "author": an author needs at least one of "name", "url" or "avatar".)"},
        {R"({"items": [{}, {"author": {"nickname": "x"}}]})",
         R"(Invalid value at "items[1].author": an author needs at least one of "name", "url" or "avatar".)"},
        {R"({"author": {"name": 5, "url": "u"}})",
         R"(Type mismatch at "author.name": expected a string, found an integer.)"},
        {R"({"hubs": [{"url": "https://hub"}]})",
         R"(Missing member "hubs[0].type": the member is required.)"},
        {R"({"hubs": [{"type": "WebSub"}, {"type": null}]})",
         R"(Missing value at "hubs[1].type": expected a value, found null.)"},
        {R"({"hubs": [{"type": 3}]})",
         R"(Type mismatch at "hubs[0].type": expected a string, found an integer.)"},
        {R"({"items": [1]})",
         R"(Type mismatch at "items[0]": expected an object, found an integer.)"},
        {R"({"items": [{}, {}, {}, {"attachments": [{"size_in_bytes": "12"}]}]})",
         R"(Type mismatch at "items[3].attachments[0].size_in_bytes": expected an integer, found a string.)"},
        {R"({"items": [{"attachments": [{"size_in_bytes": 1.5}]}]})",
         R"(Type mismatch at "items[0].attachments[0].size_in_bytes": expected an integer, found a number with a fraction.)"},
        // Sizes are judged on their exact text, not on the nearest double.
        {R"({"items": [{"attachments": [{"size_in_bytes": -9223372036854775809}]}]})",
         R"(Type mismatch at "items[0].attachments[0].size_in_bytes": expected a 64-bit integer, found a number outside that range.)"},
        {R"({"items": [{"attachments": [{"size_in_bytes": 1e-400}]}]})",
         R"(Type mismatch at "items[0].attachments[0].size_in_bytes": expected an integer, found a number with a fraction.)"},
        {R"({"items": [{"attachments": [{"size_in_bytes": 9223372036854775808}]}]})",
         R"(Type mismatch at "items[0].attachments[0].size_in_bytes": expected a 64-bit integer, found a larger number.)"},
        {R"({"items": [{"attachments": [{"duration_in_seconds": "90"}]}]})",
         R"(Type mismatch at "items[0].attachments[0].duration_in_seconds": expected a number, found a string.)"},
        {R"({"items": [{"attachments": [null]}]})",
         R"(Type mismatch at "items[0].attachments[0]": expected an object, found null.)"},
        {R"({"items": [{"tags": ["a", 1]}]})",
         R"(Type mismatch at "items[0].tags[1]": expected a string, found an integer.)"},
        {R"({"items": [{"date_published": "yesterday"}]})",
         R"(Invalid value at "items[0].date_published": "yesterday" is not a date in the expected format.)"},
        // An RFC 822 date is not one the RFC 3339 parser reads.
        {R"({"items": [{"date_modified": "Tue, 10 Jun 2003 04:00:00 GMT"}]})",
         R"(Invalid value at "items[0].date_modified": "Tue, 10 Jun 2003 04:00:00 GMT" is not a date in the expected format.)"},
        {R"({"items": [{"date_published": 1055217600}]})",
         R"(Type mismatch at "items[0].date_published": expected a date string, found an integer.)"},
        // The first failure in key order is the one reported.
        {R"({"items": [{"title": 1, "id": 2.5}]})",
         R"(Type mismatch at "items[0].id": expected a string or an integer, found a number with a fraction or an exponent.)"},
        {R"({"items": [{"title": 1}], "version": false})",
         R"(Type mismatch at "version": expected a string, found a Boolean.)"},
        {"{\"title\": 1e400}", "The data is not valid JSON: number overflow parsing '1e400'."},
    };
    for (const auto& c : cases) {
        const auto decoded = decode(c.json);
        ASSERT_TRUE(std::holds_alternative<std::string>(decoded)) << c.json;
        EXPECT_EQ(std::get<std::string>(decoded), c.reason) << c.json;
    }
}

// ICU writes U+FFFD for every bad sequence, so only valid text survives the trip.
bool isValidUtf8(const std::string& s) {
    std::string back;
    return icu::UnicodeString::fromUTF8(s).toUTF8String(back) == s;
}

TEST(JSONFeedDecodingTest, RejectsHostileDocumentsWithAReadableReason) {
    const std::string cases[] = {
        "",
        "{",
        R"({"title": "unterminated)",
        "{\"title\": \"caf\xC3\x28\"}",   // broken UTF-8 inside a string
        "{\"title\": \"\xFF\xFE\xFD\"}",  // bytes that are never UTF-8
        R"({"title": "\ud800"})",         // lone surrogate escape
        "{\"title\": \"" + std::string(100000, 'x') + "\xC3\"}",
        std::string(100000, '[') + std::string(100000, ']'),
        "{\"items\": " + std::string(600, '[') + std::string(600, ']') + "}",
        R"({"title": "a"} trailing)",
        R"({"title": "a", /* comment */ "x": 1})",
    };
    for (const auto& json : cases) {
        const auto decoded = decode(json);
        ASSERT_TRUE(std::holds_alternative<std::string>(decoded)) << json.substr(0, 80);
        const auto& reason = std::get<std::string>(decoded);
        EXPECT_TRUE(isValidUtf8(reason)) << reason;
        EXPECT_LT(reason.size(), 400u) << reason.substr(0, 400);
        EXPECT_FALSE(reason.empty());
    }
}

TEST(JSONFeedDecodingTest, ReadsExtremeButValidValues) {
    const JSONFeed feed = decodeOk(
        R"({"items": [{"attachments": [{"duration_in_seconds": 1.7976931348623157e308,
                                        "size_in_bytes": -9223372036854775808},
                                       {"duration_in_seconds": 123456789012345678901234567890,
                                        "size_in_bytes": 3.0}]}]})");
    ASSERT_TRUE(feed.items);
    const auto& attachments = *feed.items->front().attachments;
    EXPECT_EQ(attachments[0].durationInSeconds, 1.7976931348623157e308);
    EXPECT_EQ(attachments[0].sizeInBytes, INT64_MIN);
    EXPECT_EQ(attachments[1].durationInSeconds, 1.2345678901234568e29);
    EXPECT_EQ(attachments[1].sizeInBytes, 3);
}

TEST(JSONFeedEncodingTest, WritesEveryKeyOfATitleOnlyFeed) {
    JSONFeed feed;
    feed.title = Text("T");
    EXPECT_EQ(encodeJSONFeed(feed),
              R"({"version":null,"title":"T","user_comment":null,"home_page_url":null,)"
              R"("description":null,"feed_url":null,"next_url":null,"icon":null,"favicon":null,)"
              R"("expired":null,"author":null,"hubs":null,"items":null})");
}

TEST(JSONFeedEncodingTest, WritesNestedRecordsInKeyOrderWithNulls) {
    JSONFeed feed;
    feed.author = JSONFeedAuthor{std::nullopt, Text("u"), std::nullopt};
    feed.hubs = std::vector<JSONFeedHub>{{Text("WebSub"), std::nullopt}};
    JSONFeedItem item;
    item.id = Text("1");
    item.datePublished = at(2003, 6, 10, 4, 0, 0);
    item.dateModified = at(2003, 6, 10, 4, 0, 0, 250);
    item.tags = std::vector<Text>{};
    item.attachments = std::vector<JSONFeedAttachment>{
        {Text("a.mp3"), std::nullopt, std::nullopt, 12, std::nullopt}};
    feed.items = std::vector<JSONFeedItem>{item};
    EXPECT_EQ(
        encodeJSONFeed(feed),
        R"({"version":null,"title":null,"user_comment":null,"home_page_url":null,)"
        R"("description":null,"feed_url":null,"next_url":null,"icon":null,"favicon":null,)"
        R"("expired":null,"author":{"name":null,"url":"u","avatar":null},)"
        R"("hubs":[{"type":"WebSub","url":null}],)"
        R"("items":[{"id":"1","title":null,"url":null,"external_url":null,"content_text":null,)"
        R"("content_html":null,"summary":null,"image":null,"banner_image":null,)"
        R"("date_published":"2003-06-10T04:00:00Z","date_modified":"2003-06-10T04:00:00.250Z",)"
        R"("tags":[],"author":null,)"
        R"("attachments":[{"title":null,"url":"a.mp3","mime_type":null,"size_in_bytes":12,)"
        R"("duration_in_seconds":null}]}]})");
}

TEST(JSONFeedEncodingTest, EncodedFeedsDecodeToTheSameFeed) {
    const JSONFeed rich = richFeed();
    JSONFeed withInvalidText;
    withInvalidText.title = Text("caf\xC3");  // written as U+FFFD, so not equal afterwards
    const JSONFeed feeds[] = {JSONFeed{}, rich};
    for (const auto& feed : feeds) {
        const std::string once = encodeJSONFeed(feed);
        EXPECT_EQ(decodeOk(once), feed) << once;
        EXPECT_EQ(encodeJSONFeed(decodeOk(once)), once);
        EXPECT_EQ(decodeOk(encodeJSONFeed(feed, 2)), feed);
    }
    const std::string replaced = encodeJSONFeed(withInvalidText);
    EXPECT_EQ(decodeOk(replaced).title, Text("caf\xEF\xBF\xBD"));
}

}  // namespace
}  // namespace syndra
